#include "recipe_formats/text_encoding.h"

#include <array>
#include <optional>
#include <unordered_map>
#include <vector>

#include "platform/codepage.h"

namespace savora::recipe_formats {
namespace {

// Bytes 128 to 255 of the two DOS code pages as Unicode.
constexpr std::array<char16_t, 128> kCp437 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00A2, 0x00A3, 0x00A5, 0x20A7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x2310, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x03B1, 0x00DF, 0x0393, 0x03C0, 0x03A3, 0x03C3, 0x00B5, 0x03C4, 0x03A6, 0x0398, 0x03A9, 0x03B4,
    0x221E, 0x03C6, 0x03B5, 0x2229, 0x2261, 0x00B1, 0x2265, 0x2264, 0x2320, 0x2321, 0x00F7, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

constexpr std::array<char16_t, 128> kCp850 = {
    0x00C7, 0x00FC, 0x00E9, 0x00E2, 0x00E4, 0x00E0, 0x00E5, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x00EC, 0x00C4, 0x00C5, 0x00C9, 0x00E6, 0x00C6, 0x00F4, 0x00F6, 0x00F2, 0x00FB, 0x00F9,
    0x00FF, 0x00D6, 0x00DC, 0x00F8, 0x00A3, 0x00D8, 0x00D7, 0x0192, 0x00E1, 0x00ED, 0x00F3, 0x00FA,
    0x00F1, 0x00D1, 0x00AA, 0x00BA, 0x00BF, 0x00AE, 0x00AC, 0x00BD, 0x00BC, 0x00A1, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x00C1, 0x00C2, 0x00C0, 0x00A9, 0x2563, 0x2551, 0x2557,
    0x255D, 0x00A2, 0x00A5, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x00E3, 0x00C3,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x00A4, 0x00F0, 0x00D0, 0x00CA, 0x00CB,
    0x00C8, 0x0131, 0x00CD, 0x00CE, 0x00CF, 0x2518, 0x250C, 0x2588, 0x2584, 0x00A6, 0x00CC, 0x2580,
    0x00D3, 0x00DF, 0x00D4, 0x00D2, 0x00F5, 0x00D5, 0x00B5, 0x00FE, 0x00DE, 0x00DA, 0x00DB, 0x00D9,
    0x00FD, 0x00DD, 0x00AF, 0x00B4, 0x00AD, 0x00B1, 0x2017, 0x00BE, 0x00B6, 0x00A7, 0x00F7, 0x00B8,
    0x00B0, 0x00A8, 0x00B7, 0x00B9, 0x00B3, 0x00B2, 0x25A0, 0x00A0};

// The plain letter of U+0100 to U+024F (Latin Extended-A and -B) and of U+1E00 to U+1EFF
// (Latin Extended Additional); "?" where there is none.
constexpr std::string_view kLatinExtended =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiIiJjKkkLlLlLlL"
    "lLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs"
    "bB????OCcDD??????Ff????I??l????OOo?????????????Uu????Zz?????????"
    "????DDdLLlNNnAaIiOoUuUuUuUuUu?AaAa????GgKkOoOo??jDDdGg??NnAa????"
    "AaAaEeEeIiIiOoOoRrRrUuUuSsTt??Hh??????AaEeOoOoOoOoYy??????ACcLT?"
    "??????Ee????????";
constexpr std::string_view kLatinAdditional =
    "AaBbBbBbCcDdDdDdDdDdEeEeEeEeEeFfGgHhHhHhHhHhIiIiKkKkKkLlLlLlLlMm"
    "MmMmNnNnNnNnOoOoOoOoPpPpRrRrRrRrSsSsSsSsSsTtTtTtTtUuUuUuUuUuVvVv"
    "WwWwWwWwWwXxXxYyZzZzZzhtwyas????AaAaAaAaAaAaAaAaAaAaAaAaEeEeEeEe"
    "EeEeEeEeIiIiOoOoOoOoOoOoOoOoOoOoOoOoUuUuUuUuUuUuUuYyYyYyYy??????";

// Signs outside both tables, with their plain forms.
const std::unordered_map<char32_t, std::string_view>& plainSigns() {
  static const std::unordered_map<char32_t, std::string_view> signs = {{0x2010, "-"},
                                                                       {0x2011, "-"},
                                                                       {0x2012, "-"},
                                                                       {0x2015, "-"},
                                                                       {0x2017, "_"},
                                                                       {0x2032, "'"},
                                                                       {0x2033, "\""},
                                                                       {0x2044, "/"},
                                                                       {0x2212, "-"},
                                                                       {0x2215, "/"},
                                                                       {0x2219, "\xB7"},
                                                                       {0x221A, "v"},
                                                                       {0x221E, "oo"},
                                                                       {0x2229, "n"},
                                                                       {0x2248, "~"},
                                                                       {0x2260, "<>"},
                                                                       {0x2261, "="},
                                                                       {0x2264, "<="},
                                                                       {0x2265, ">="},
                                                                       {0x2310, "\xAC"},
                                                                       {0x2320, "("},
                                                                       {0x2321, ")"},
                                                                       {0x207F, "n"},
                                                                       {0x20A7, "Pts"},
                                                                       {0x25A0, "\x95"},
                                                                       {0x2022, "\x95"},
                                                                       {0x2023, "\x95"},
                                                                       {0x2043, "-"},
                                                                       {0x25CF, "\x95"},
                                                                       {0x2027, "\xB7"},
                                                                       {0x2153, "1/3"},
                                                                       {0x2154, "2/3"},
                                                                       {0x2155, "1/5"},
                                                                       {0x2156, "2/5"},
                                                                       {0x2157, "3/5"},
                                                                       {0x2158, "4/5"},
                                                                       {0x2159, "1/6"},
                                                                       {0x215A, "5/6"},
                                                                       {0x215B, "1/8"},
                                                                       {0x215C, "3/8"},
                                                                       {0x215D, "5/8"},
                                                                       {0x215E, "7/8"},
                                                                       {0x2150, "1/7"},
                                                                       {0x2151, "1/9"},
                                                                       {0x2152, "1/10"},
                                                                       {0x2103,
                                                                        "\xB0"
                                                                        "C"},
                                                                       {0x2109,
                                                                        "\xB0"
                                                                        "F"},
                                                                       {0x2116, "No."},
                                                                       {0x2122, "\x99"},
                                                                       {0x03B1, "a"},
                                                                       {0x03B2, "b"},
                                                                       {0x03B3, "g"},
                                                                       {0x03B4, "d"},
                                                                       {0x03B5, "e"},
                                                                       {0x03BC, "\xB5"},
                                                                       {0x03C0, "pi"},
                                                                       {0x03C3, "s"},
                                                                       {0x03C4, "t"},
                                                                       {0x03C6, "f"},
                                                                       {0x0393, "G"},
                                                                       {0x0398, "Th"},
                                                                       {0x03A3, "S"},
                                                                       {0x03A6, "F"},
                                                                       {0x03A9, "O"},
                                                                       {0xFEFF, ""},
                                                                       {0x200B, ""},
                                                                       {0x00AD, "\xAD"}};
  return signs;
}

// The plain form of box-drawing and block characters: lines become "-" and "|", corners and
// crossings "+", blocks "#".
std::optional<std::string_view> boxForm(char32_t c) {
  if (c >= 0x2500 && c <= 0x257F) {
    switch (c) {
      case 0x2500:
      case 0x2501:
      case 0x2504:
      case 0x2505:
      case 0x2508:
      case 0x2509:
      case 0x254C:
      case 0x254D:
      case 0x2550:
        return "-";
      case 0x2502:
      case 0x2503:
      case 0x2506:
      case 0x2507:
      case 0x250A:
      case 0x250B:
      case 0x254E:
      case 0x254F:
      case 0x2551:
        return "|";
      default:
        return "+";
    }
  }
  if (c >= 0x2580 && c <= 0x259F) return "#";
  return std::nullopt;
}

const std::unordered_map<char32_t, char>& cp1252Bytes() {
  static const std::unordered_map<char32_t, char> bytes = [] {
    std::unordered_map<char32_t, char> map;
    for (int b = 0x80; b < 0x100; ++b) {
      const std::string utf8 = platform::utf8FromCp1252(std::string(1, char(b)));
      // Two- and three-byte forms only: the bytes 1252 leaves undefined come back as "?".
      char32_t c = 0;
      if (utf8.size() == 2) {
        c = (char32_t(utf8[0] & 0x1F) << 6) | (utf8[1] & 0x3F);
      } else if (utf8.size() == 3) {
        c = (char32_t(utf8[0] & 0x0F) << 12) | (char32_t(utf8[1] & 0x3F) << 6) | (utf8[2] & 0x3F);
      }
      if (c) map[c] = char(b);
    }
    return map;
  }();
  return bytes;
}

// Decodes UTF-8 into `out` (when given); false when the bytes are not valid UTF-8.
bool decodeUtf8(std::string_view bytes, std::u32string* out) {
  if (out) out->reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const unsigned char b = bytes[i];
    if (b < 0x80) {
      if (out) out->push_back(b);
      ++i;
      continue;
    }
    int extra = b >= 0xF0 && b <= 0xF4 ? 3 : b >= 0xE0 ? 2 : b >= 0xC2 && b < 0xE0 ? 1 : -1;
    if (extra < 0 || i + extra >= bytes.size()) return false;
    char32_t c = b & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      const unsigned char next = bytes[i + k];
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3F);
    }
    const char32_t smallest = extra == 1 ? 0x80 : extra == 2 ? 0x800 : 0x10000;
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    if (out) out->push_back(c);
    i += extra + 1;
  }
  return true;
}

// Bytes 128 to 255 of Windows-1252 as Unicode ("?" for the five bytes it leaves undefined).
const std::array<char16_t, 128>& cp1252Characters() {
  static const std::array<char16_t, 128> characters = [] {
    std::array<char16_t, 128> table{};
    for (const auto& [c, byte] : cp1252Bytes()) table[(unsigned char)byte - 0x80] = char16_t(c);
    for (char16_t& c : table) {
      if (!c) c = u'?';
    }
    return table;
  }();
  return characters;
}

using ByteTable = std::array<char16_t, 128>;

std::u32string decodeTable(std::string_view bytes, const ByteTable& table) {
  std::u32string out;
  out.reserve(bytes.size());
  for (unsigned char b : bytes) out.push_back(b < 0x80 ? char32_t(b) : char32_t(table[b - 0x80]));
  return out;
}

bool isAsciiLetter(char32_t c) {
  return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}
bool isLatinLetter(char32_t c) {
  return isAsciiLetter(c) || (c >= 0xC0 && c <= 0x24F && c != 0xD7 && c != 0xF7);
}
bool isLowerLatin(char32_t c) {
  if (c < 0x80) return c >= 'a' && c <= 'z';
  if (c >= 0xDF && c <= 0xFF) return c != 0xF7;
  return c >= 0x100 && c <= 0x17F && (c & 1);
}

// How plausible a reading of the file is: accented lower-case letters inside words and the signs
// recipes use count for it; box lines, Greek letters and an upper-case letter inside a
// lower-case word count against it. Read straight from the bytes: a large file is not copied.
long plausibility(std::string_view bytes, const ByteTable& table) {
  static const std::u32string kKitchenSigns =
      U"\u00B0\u00BD\u00BC\u00BE\u2018\u2019\u201C"
      U"\u201D\u2013\u2014\u2026\u2022\u00A9\u00AE"
      U"\u00A3\u00A2\u00BF\u00A1\u00AB\u00BB\u00B7\u00A0"
      U"\u2248\u2264\u2265";
  auto at = [&](size_t i) -> char32_t {
    const unsigned char b = bytes[i];
    return b < 0x80 ? char32_t(b) : char32_t(table[b - 0x80]);
  };
  long score = 0;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if ((unsigned char)bytes[i] < 0x80) continue;
    const char32_t c = at(i);
    const char32_t before = i > 0 ? at(i - 1) : U' ';
    if (isLatinLetter(c)) {
      const bool inWord = isLatinLetter(before);
      if (inWord && isLowerLatin(c))
        score += 3;
      else if (inWord && isLowerLatin(before))
        score -= 2;  // "donÆt"
    } else if (kKitchenSigns.find(c) != std::u32string::npos) {
      score += 1;
    } else {
      score -= 3;
    }
  }
  return score;
}

// The fractions Windows-1252 lacks (one seventh to seven eighths), written out as "1/3".
bool isWrittenOutFraction(char32_t c) {
  return c >= 0x2150 && c <= 0x215E;
}

std::string encode(const std::u32string& text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) {
    if (c < 0x80) {
      out.push_back(char(c));
      continue;
    }
    // "1⅓" is one and a third: written out it needs the blank of "1 1/3".
    if (isWrittenOutFraction(c) && !out.empty() && out.back() >= '0' && out.back() <= '9') {
      out.push_back(' ');
    }
    out += cp1252FormOf(c);
  }
  return out;
}

bool hasNonAscii(std::string_view bytes) {
  for (unsigned char b : bytes) {
    if (b >= 0x80) return true;
  }
  return false;
}

// German DOS collections often have "ß" (0xE1 in code page 437) as their only letter beyond
// ASCII, inside words; read as Windows-1252 it would be "á", which scores as well. Text whose
// only accent is an "á" is far rarer (Spanish has é, í, ó and ñ beside it), so such a file is
// taken for code page 437.
bool onlySharpS(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    const unsigned char b = bytes[i];
    if (b < 0x80) continue;
    if (b != 0xE1 || i == 0 || !isAsciiLetter((unsigned char)bytes[i - 1])) return false;
  }
  return true;
}

// The plain ASCII form of the Windows-1252 bytes 0x80 to 0xFF, for code pages that lack them.
std::string_view plainFormOf(unsigned char byte) {
  static const std::unordered_map<unsigned char, std::string_view> signs = {
      {0x80, "EUR"}, {0x82, ","},  {0x83, "f"},    {0x84, "\""},   {0x85, "..."}, {0x86, "+"},
      {0x87, "+"},   {0x88, "^"},  {0x89, "0/00"}, {0x8A, "S"},    {0x8B, "<"},   {0x8C, "OE"},
      {0x8E, "Z"},   {0x91, "'"},  {0x92, "'"},    {0x93, "\""},   {0x94, "\""},  {0x95, "*"},
      {0x96, "-"},   {0x97, "-"},  {0x98, "~"},    {0x99, "(TM)"}, {0x9A, "s"},   {0x9B, ">"},
      {0x9C, "oe"},  {0x9E, "z"},  {0x9F, "Y"},    {0xA0, " "},    {0xA4, "?"},   {0xA6, "|"},
      {0xA7, "S"},   {0xA8, "\""}, {0xA9, "(c)"},  {0xAD, "-"},    {0xAE, "(R)"}, {0xAF, "-"},
      {0xB3, "3"},   {0xB4, "'"},  {0xB8, ","},    {0xB9, "1"},    {0xBE, "3/4"}, {0xD7, "x"},
      {0xDE, "Th"},  {0xFE, "th"}, {0xF7, "/"}};
  if (auto it = signs.find(byte); it != signs.end()) return it->second;
  // Letters with marks: their plain letter.
  static constexpr std::string_view kLetters =
      "AAAAAAACEEEEIIIIDNOOOOO?OUUUUY?saaaaaaaceeeeiiiidnooooo?ouuuuy?y";
  if (byte >= 0xC0 && kLetters[byte - 0xC0] != '?') return kLetters.substr(byte - 0xC0, 1);
  return "?";
}

const std::unordered_map<char32_t, char>& codePageBytes(const ByteTable& table) {
  static std::unordered_map<const ByteTable*, std::unordered_map<char32_t, char>> maps;
  auto [it, added] = maps.try_emplace(&table);
  if (added) {
    for (size_t i = 0; i < table.size(); ++i) it->second[table[i]] = char(0x80 + i);
  }
  return it->second;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(char(c));
  } else if (c < 0x800) {
    out.push_back(char(0xC0 | (c >> 6)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else {
    out.push_back(char(0xE0 | (c >> 12)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  }
}

// The code-page byte of a Windows-1252 byte; nothing when the code page lacks it.
std::optional<char> codePageByte(unsigned char byte, const ByteTable& table) {
  if (byte < 0x80) return char(byte);
  const auto& bytes = codePageBytes(table);
  const auto it = bytes.find(cp1252Characters()[byte - 0x80]);
  if (it == bytes.end()) return std::nullopt;
  return it->second;
}

const ByteTable* codePageTable(TextEncoding encoding) {
  if (encoding == TextEncoding::Cp437) return &kCp437;
  if (encoding == TextEncoding::Cp850) return &kCp850;
  return nullptr;
}

}  // namespace

std::string fromCp1252(std::string_view text, TextEncoding encoding) {
  if (encoding == TextEncoding::Cp1252) return std::string(text);
  std::string out;
  out.reserve(text.size());
  if (encoding == TextEncoding::Utf8) {
    for (unsigned char byte : text)
      appendUtf8(out, byte < 0x80 ? char32_t(byte) : char32_t(cp1252Characters()[byte - 0x80]));
    return out;
  }
  const ByteTable& table = *codePageTable(encoding);
  for (unsigned char byte : text) {
    if (const auto mapped = codePageByte(byte, table)) {
      out.push_back(*mapped);
    } else {
      out += plainFormOf(byte);
    }
  }
  return out;
}

bool holdsAll(std::string_view text, TextEncoding encoding) {
  const ByteTable* table = codePageTable(encoding);
  if (!table) return true;
  for (unsigned char byte : text) {
    if (!codePageByte(byte, *table)) return false;
  }
  return true;
}

std::string cp1252FormOf(char32_t c) {
  if (c < 0x80) return std::string(1, char(c));
  const auto& bytes = cp1252Bytes();
  if (auto it = bytes.find(c); it != bytes.end()) return std::string(1, it->second);
  if (c >= 0x100 && c < 0x100 + kLatinExtended.size() && kLatinExtended[c - 0x100] != '?') {
    return std::string(1, kLatinExtended[c - 0x100]);
  }
  if (c >= 0x1E00 && c < 0x1E00 + kLatinAdditional.size() && kLatinAdditional[c - 0x1E00] != '?') {
    return std::string(1, kLatinAdditional[c - 0x1E00]);
  }
  if (auto it = plainSigns().find(c); it != plainSigns().end()) return std::string(it->second);
  if (auto box = boxForm(c)) return std::string(*box);
  if (c >= 0x2000 && c <= 0x200A) return " ";
  return "?";
}

TextEncoding detectTextEncoding(std::string_view bytes) {
  if (!hasNonAscii(bytes)) return TextEncoding::Cp1252;
  if (decodeUtf8(bytes, nullptr)) return TextEncoding::Utf8;
  if (onlySharpS(bytes)) return TextEncoding::Cp437;
  const long cp1252 = plausibility(bytes, cp1252Characters());
  const long cp437 = plausibility(bytes, kCp437);
  const long cp850 = plausibility(bytes, kCp850);
  if (cp1252 >= cp437 && cp1252 >= cp850) return TextEncoding::Cp1252;
  return cp437 >= cp850 ? TextEncoding::Cp437 : TextEncoding::Cp850;
}

std::string toCp1252(std::string_view bytes, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Cp1252:
      return std::string(bytes);
    case TextEncoding::Utf8:
      if (std::u32string text; decodeUtf8(bytes, &text)) return encode(text);
      return std::string(bytes);
    case TextEncoding::Cp437:
      return encode(decodeTable(bytes, kCp437));
    case TextEncoding::Cp850:
      return encode(decodeTable(bytes, kCp850));
  }
  return std::string(bytes);
}

}  // namespace savora::recipe_formats
