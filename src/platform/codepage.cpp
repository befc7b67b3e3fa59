#include "platform/codepage.h"

#include <array>
#include <cstdint>
#include <optional>

namespace savora::platform {
namespace {

// Code points of bytes 0x80-0x9F; 0 marks the five bytes that Windows-1252 leaves undefined
// (they map to the C1 control of the same value, as other converters do).
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// The smallest code point that needs a lead byte plus the index's number of continuation bytes.
constexpr std::array<char32_t, 4> kShortestOfLength = {0, 0x80, 0x800, 0x10000};

char32_t codePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    const char32_t mapped = kHighControls[byte - 0x80];
    return mapped ? mapped : byte;
  }
  return byte;
}

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

char byteOf(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return char(cp);
  for (size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp || (kHighControls[i] == 0 && cp == 0x80 + i)) return char(0x80 + i);
  }
  return '?';
}

// One character of UTF-8 text: its code point, or nothing for a malformed byte, and the bytes it
// takes. Overlong forms (C0 AF for '/'), surrogates and code points past U+10FFFF are malformed.
struct Decoded {
  std::optional<char32_t> codePoint;
  size_t length = 1;
};

Decoded decode(std::string_view utf8, size_t i) {
  const unsigned char lead = utf8[i];
  const int extra = lead < 0x80           ? 0
                    : (lead >> 5) == 0x06 ? 1
                    : (lead >> 4) == 0x0E ? 2
                    : (lead >> 3) == 0x1E ? 3
                                          : -1;
  if (extra < 0 || (extra > 0 && i + size_t(extra) >= utf8.size())) return {};
  char32_t cp = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int k = 1; k <= extra; ++k) {
    const unsigned char next = utf8[i + size_t(k)];
    if ((next & 0xC0) != 0x80) return {};
    cp = (cp << 6) | (next & 0x3F);
  }
  if (extra > 0 &&
      (cp < kShortestOfLength[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)))
    return {};
  return {cp, size_t(extra) + 1};
}

}  // namespace

std::string utf8FromCp1252(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size());
  for (unsigned char byte : cp1252) appendUtf8(out, codePointOf(byte));
  return out;
}

std::string cp1252FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    const Decoded next = decode(utf8, i);
    out += next.codePoint ? byteOf(*next.codePoint) : '?';
    i += next.length;
  }
  return out;
}

std::optional<UncodableCharacter> firstUncodable(std::string_view utf8) {
  size_t position = 0;
  for (size_t i = 0; i < utf8.size(); ++position) {
    const Decoded next = decode(utf8, i);
    if (!next.codePoint) return UncodableCharacter{position, 0xFFFD};
    if (byteOf(*next.codePoint) == '?' && *next.codePoint != '?')
      return UncodableCharacter{position, *next.codePoint};
    i += next.length;
  }
  return std::nullopt;
}

}  // namespace savora::platform
