#include "toolkit/type_ahead.h"

#include <string_view>

#include "platform/text.h"

namespace savora::toolkit {

bool TypeAhead::accepts(char c) const {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
  if (std::string_view(".-, ()/").find(c) != std::string_view::npos) return true;
  return mode_ == Mode::ComboBox && (c == '[' || c == ']');
}

bool TypeAhead::type(int character, bool shifted) {
  if (character == kBackspaceCharacter) {
    if (empty()) return false;
    buffer_.pop_back();
    return true;
  }
  if (character <= 0 || character > 255) return false;
  char c = char(character);
  if (shifted && c == '9') c = '(';
  if (shifted && c == '0') c = ')';
  if (!accepts(c) || buffer_.size() >= kCapacity) return false;
  buffer_.push_back(c);
  return true;
}

void TypeAhead::takeBack() {
  if (!empty()) buffer_.pop_back();
}

std::optional<int> TypeAhead::typeAndFind(int character, bool shifted,
                                          const std::vector<std::string>& entries) {
  if (!type(character, shifted)) return std::nullopt;
  const int found = findByPrefix(buffer_, entries);
  if (found < 0 && character != kBackspaceCharacter) takeBack();
  return found;
}

int findByPrefix(std::string_view prefix, const std::vector<std::string>& entries) {
  for (size_t i = 0; i < entries.size(); ++i) {
    if (platform::startsWithIgnoreCase(entries[i], prefix)) return int(i);
  }
  return -1;
}

bool containsEveryWord(std::string_view name, std::string_view search) {
  const std::string lowerName = platform::toLower(name);
  const std::string lowerSearch = platform::toLower(search);
  size_t at = 0;
  while (at < lowerSearch.size()) {
    const size_t start = lowerSearch.find_first_not_of(' ', at);
    if (start == std::string::npos) break;
    size_t end = lowerSearch.find(' ', start);
    if (end == std::string::npos) end = lowerSearch.size();
    if (lowerName.find(std::string_view(lowerSearch).substr(start, end - start)) ==
        std::string::npos) {
      return false;
    }
    at = end;
  }
  return true;
}

}  // namespace savora::toolkit
