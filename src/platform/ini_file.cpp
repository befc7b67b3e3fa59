#include "platform/ini_file.h"

#include <cstdlib>
#include <optional>

#include "platform/file_ops.h"
#include "platform/text.h"

namespace savora::platform {
namespace {

// The section name of a "[name]" line, or nothing for other lines.
std::optional<std::string> sectionOf(const std::string& line) {
  const std::string t = trim(line);
  if (t.size() >= 2 && t.front() == '[') {
    const size_t close = t.find(']');
    if (close != std::string::npos) return trim(std::string_view(t).substr(1, close - 1));
  }
  return std::nullopt;
}

struct KeyLine {
  std::string key;
  std::string value;
};

// Key and value of a "key=value" line; comment lines (';') and lines without '=' give nothing.
std::optional<KeyLine> keyLineOf(const std::string& line) {
  const std::string t = trimLeft(line);
  if (t.empty() || t[0] == ';') return std::nullopt;
  const size_t eq = t.find('=');
  if (eq == std::string::npos) return std::nullopt;
  std::string value = trim(std::string_view(t).substr(eq + 1));
  // Windows drops one pair of surrounding quotes.
  if (value.size() >= 2 && ((value.front() == '"' && value.back() == '"') ||
                            (value.front() == '\'' && value.back() == '\''))) {
    value = value.substr(1, value.size() - 2);
  }
  return KeyLine{trim(std::string_view(t).substr(0, eq)), value};
}

// Index range [begin, end) of the lines of a section's body; begin is npos when it is missing.
std::pair<size_t, size_t> findSection(const std::vector<std::string>& lines,
                                      const std::string& section) {
  size_t begin = std::string::npos;
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = sectionOf(lines[i]);
    if (!name) continue;
    if (begin != std::string::npos) return {begin, i};
    if (equalsIgnoreCase(*name, trim(section))) begin = i + 1;
  }
  return {begin, lines.size()};
}

size_t findKey(const std::vector<std::string>& lines, std::pair<size_t, size_t> range,
               const std::string& key) {
  for (size_t i = range.first; i < range.second; ++i) {
    const auto kl = keyLineOf(lines[i]);
    if (kl && equalsIgnoreCase(kl->key, trim(key))) return i;
  }
  return std::string::npos;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

std::vector<std::string> IniFile::loadLines() const {
  std::vector<std::string> lines;
  const auto text = readWholeFile(path_);
  if (!text) return lines;
  std::string current;
  for (char c : *text) {
    if (c == '\n') {
      if (!current.empty() && current.back() == '\r') current.pop_back();
      lines.push_back(std::move(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!current.empty()) lines.push_back(std::move(current));
  return lines;
}

bool IniFile::saveLines(const std::vector<std::string>& lines) const {
  // Keep the file's own line ends: CRLF when its first line had one.
  const auto text = readWholeFile(path_);
  const bool crlf = text && text->find("\r\n") != std::string::npos;
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += crlf ? "\r\n" : "\n";
  }
  return writeWholeFile(path_, out);
}

std::string IniFile::readString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
  const auto lines = loadLines();
  const auto range = findSection(lines, section);
  if (range.first == std::string::npos) return defaultValue;
  const size_t at = findKey(lines, range, key);
  return at == std::string::npos ? defaultValue : keyLineOf(lines[at])->value;
}

long IniFile::readInt(const std::string& section, const std::string& key, long defaultValue) const {
  const std::string text = readString(section, key, {});
  if (text.empty()) return defaultValue;
  char* end = nullptr;
  const long value = std::strtol(text.c_str(), &end, 10);
  return end == text.c_str() ? defaultValue : value;
}

std::vector<std::pair<std::string, std::string>> IniFile::keys(const std::string& section) const {
  std::vector<std::pair<std::string, std::string>> out;
  const auto lines = loadLines();
  const auto range = findSection(lines, section);
  if (range.first == std::string::npos) return out;
  for (size_t i = range.first; i < range.second; ++i) {
    if (auto kl = keyLineOf(lines[i])) out.emplace_back(kl->key, kl->value);
  }
  return out;
}

bool IniFile::writeString(const std::string& section, const std::string& key,
                          const std::string& value) {
  auto lines = loadLines();
  const std::string newLine = trim(key) + "=" + value;
  const auto range = findSection(lines, section);
  if (range.first == std::string::npos) {
    if (!lines.empty() && !trim(lines.back()).empty()) lines.emplace_back();
    lines.push_back("[" + trim(section) + "]");
    lines.push_back(newLine);
    return saveLines(lines);
  }
  const size_t at = findKey(lines, range, key);
  if (at != std::string::npos) {
    // Keep the key as the file spells it, with its indentation.
    const std::string& old = lines[at];
    lines[at] = old.substr(0, old.find('=') + 1) + value;
  } else {
    // After the section's last non-blank line, so blank separator lines stay between sections.
    size_t insertAt = range.second;
    while (insertAt > range.first && trim(lines[insertAt - 1]).empty()) --insertAt;
    lines.insert(lines.begin() + long(insertAt), newLine);
  }
  return saveLines(lines);
}

bool IniFile::removeKey(const std::string& section, const std::string& key) {
  auto lines = loadLines();
  const auto range = findSection(lines, section);
  if (range.first == std::string::npos) return true;
  const size_t at = findKey(lines, range, key);
  if (at == std::string::npos) return true;
  lines.erase(lines.begin() + long(at));
  return saveLines(lines);
}

}  // namespace savora::platform
