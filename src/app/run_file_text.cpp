#include "app/run_file_text.h"

#include <charconv>
#include <cmath>
#include <system_error>

#include "platform/text.h"

namespace savora::app {
namespace {

// The line without surrounding blanks and with at most one leading '+', which strtol accepts but
// from_chars does not.
std::string numberText(std::string_view line) {
  std::string text = platform::trim(line);
  if (text.size() > 1 && text[0] == '+' && text[1] != '-' && text[1] != '+') text.erase(0, 1);
  return text;
}

}  // namespace

std::vector<std::string_view> splitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::optional<long> parseLong(std::string_view line) {
  const std::string text = numberText(line);
  long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
  return value;
}

std::optional<double> parseDouble(std::string_view line) {
  const std::string text = numberText(line);
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (ec != std::errc() || ptr != end || text.empty() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string formatDouble(double value) {
  char buffer[400];  // the fixed form of the largest double has 309 digits before the point
  const auto [ptr, ec] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  if (ec != std::errc()) return "0.000000";
  return std::string(buffer, ptr);
}

}  // namespace savora::app
