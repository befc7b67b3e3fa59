// Conversion between Windows-1252 (the byte text of tables and machine files) and UTF-8 (the
// screen, and files written for people).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace savora::platform {

std::string utf8FromCp1252(std::string_view cp1252);
// Characters that Windows-1252 cannot hold become '?'. Each byte of a malformed UTF-8 sequence
// becomes '?' too; overlong forms, surrogates and code points past U+10FFFF count as malformed.
std::string cp1252FromUtf8(std::string_view utf8);

// A character of UTF-8 text that Windows-1252 cannot hold: its place, counted in characters from
// 0, and its code point (U+FFFD for a malformed sequence).
struct UncodableCharacter {
  size_t position = 0;
  char32_t codePoint = 0;
  bool operator==(const UncodableCharacter&) const = default;
};
std::optional<UncodableCharacter> firstUncodable(std::string_view utf8);

}  // namespace savora::platform
