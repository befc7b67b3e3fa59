#include "recipe_formats/text_lines.h"

#include "platform/file_ops.h"

namespace savora::recipe_formats {
namespace {

std::string expandTabs(std::string_view line) {
  std::string out;
  out.reserve(line.size() + 16);
  for (char c : line) {
    if (c == '\t') {
      out.append(8 - out.size() % 8, ' ');
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace

std::string_view trimLeftBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view trimRightBlanks(std::string_view text) {
  const size_t last = text.find_last_not_of(" \t");
  return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view trimBlanks(std::string_view text) {
  return trimLeftBlanks(trimRightBlanks(text));
}

std::string lowerCp1252(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const unsigned char b = c;
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDE && b != 0xD7)) {
      c = char(b + 0x20);
    } else if (b == 0x8A || b == 0x8C || b == 0x8E) {  // S, OE, Z with marks
      c = char(b + 0x10);
    } else if (b == 0x9F) {  // Y with diaeresis
      c = char(0xFF);
    }
  }
  return out;
}

std::string collapseBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    if (c == ' ' && !out.empty() && out.back() == ' ') continue;
    out.push_back(c);
  }
  return out;
}

long leadingNumber(std::string_view text) {
  text = trimLeftBlanks(text);
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    if (value < 1000000000) value = value * 10 + (c - '0');
  }
  return value;
}

TextFile splitTextFile(std::string_view bytes) {
  if (const size_t end = bytes.find('\x1A'); end != std::string_view::npos) {
    bytes = bytes.substr(0, end);
  }
  TextFile file;
  file.encoding = detectTextEncoding(bytes);
  const std::string text = toCp1252(bytes, file.encoding);
  const std::string_view view(text);
  size_t start = 0;
  while (start < view.size()) {
    size_t end = view.find('\n', start);
    if (end == std::string_view::npos) end = view.size();
    std::string_view line = view.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    file.lines.push_back(line.find('\t') == std::string_view::npos ? std::string(line)
                                                                   : expandTabs(line));
    start = end + 1;
  }
  return file;
}

TextFile readTextFile(const std::string& path) {
  const std::optional<std::string> bytes = platform::readWholeFile(path);
  if (!bytes) return {};
  return splitTextFile(*bytes);
}

}  // namespace savora::recipe_formats
