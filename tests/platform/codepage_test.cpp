#include <gtest/gtest.h>
#include <optional>

#include "platform/codepage.h"
#include "platform/text.h"

namespace savora::platform {
namespace {

TEST(CodepageTest, RoundTripsEveryByteThroughUtf8) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += char(b);
  EXPECT_EQ(cp1252FromUtf8(utf8FromCp1252(all)), all);
  EXPECT_EQ(utf8FromCp1252("Cr\xE8me br\xFBl\xE9\x96\x80"), "Crème brûlé–€");
  EXPECT_EQ(cp1252FromUtf8("½ cup · “quoted”"), "\xBD cup \xB7 \x93quoted\x94");
}

TEST(CodepageTest, UnmappableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(cp1252FromUtf8("日本"), "??");
  EXPECT_EQ(cp1252FromUtf8("a\xC3"), "a?");      // truncated sequence
  EXPECT_EQ(cp1252FromUtf8("a\xC3(b"), "a?(b");  // bad continuation byte
}

// Every byte of a sequence that is not the shortest valid UTF-8 for a Unicode scalar value
// becomes '?'; the bytes around it are kept.
TEST(CodepageTest, RefusesOverlongSurrogateAndOutOfRangeSequences) {
  struct Row {
    const char* name;
    std::string utf8;
    std::string cp1252;
  };
  const Row rows[] = {
      {"overlong 2-byte slash", "a\xC0\xAF-", "a??-"},
      {"overlong 2-byte top of ASCII", "\xC1\xBF", "??"},
      {"overlong 3-byte slash", "\xE0\x80\xAF", "???"},
      {"overlong 3-byte below U+0800", "\xE0\x9F\xBF", "???"},
      {"overlong 4-byte slash", "\xF0\x80\x80\xAF", "????"},
      {"overlong 4-byte below U+10000", "\xF0\x8F\xBF\xBF", "????"},
      {"C0 lead alone", "\xC0-", "?-"},
      {"C1 lead alone", "\xC1-", "?-"},
      {"F5 to FF leads", "\xF5\xF8\xFC\xFE\xFF", "?????"},
      {"F5 lead with continuations", "\xF5\x80\x80\x80", "????"},
      {"first surrogate", "\xED\xA0\x80", "???"},
      {"last surrogate", "\xED\xBF\xBF", "???"},
      {"surrogate pair", "\xED\xA0\xBD\xED\xB8\x80", "??????"},
      {"just past U+10FFFF", "\xF4\x90\x80\x80", "????"},
      {"largest 4-byte form", "\xF7\xBF\xBF\xBF", "????"},
      {"lone continuation bytes", "\x80\xBF", "??"},
      {"truncated 2-byte at end", "x\xC3", "x?"},
      {"truncated 3-byte at end", "x\xE2\x82", "x??"},
      {"truncated 4-byte at end", "x\xF0\x9F\x98", "x???"},
      {"truncated sequence before ASCII", "\xE2\x82x", "??x"},
      {"e acute", "caf\xC3\xA9", "caf\xE9"},
      {"euro sign", "\xE2\x82\xAC 5", "\x80 5"},
      {"right single quote", "it\xE2\x80\x99s", "it\x92s"},
      {"one half", "\xC2\xBD cup", "\xBD cup"},
      {"last before surrogates", "\xED\x9F\xBF", "?"},
      {"first after surrogates", "\xEE\x80\x80", "?"},
      {"first 4-byte character", "\xF0\x90\x80\x80", "?"},
      {"U+10FFFF", "\xF4\x8F\xBF\xBF", "?"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(cp1252FromUtf8(row.utf8), row.cp1252);
  }
}

TEST(CodepageTest, FindsTheFirstCharacterWindows1252CannotHold) {
  struct Row {
    const char* name;
    std::string utf8;
    std::optional<UncodableCharacter> found;
  };
  const Row rows[] = {
      {"plain text", "Apple Pie", std::nullopt},
      {"accents, euro sign and quotes", "Cr\xC3\xA8me \xE2\x82\xAC \xE2\x80\x99\xC2\xBD",
       std::nullopt},
      {"a question mark is itself", "Why?", std::nullopt},
      {"emoji after two characters", "Hi\xF0\x9F\x98\x80!", UncodableCharacter{2, 0x1F600}},
      {"Chinese after an e acute", "\xC3\xA9\xE9\xA5\xBA", UncodableCharacter{1, 0x997A}},
      {"Greek first", "\xCE\xB1 and \xF0\x9F\x98\x80", UncodableCharacter{0, 0x03B1}},
      {"malformed byte", "ab\xFF", UncodableCharacter{2, 0xFFFD}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(firstUncodable(row.utf8), row.found);
  }
}

TEST(TextTest, CaseFoldingTrimmingAndFormatting) {
  EXPECT_TRUE(equalsIgnoreCase("Savora 99", "SAVORA 99"));
  EXPECT_FALSE(equalsIgnoreCase("Savora", "Savora "));
  EXPECT_LT(compareIgnoreCase("apple", "Banana"), 0);
  EXPECT_GT(compareIgnoreCase("apples", "APPLE"), 0);
  EXPECT_TRUE(endsWithIgnoreCase("setup.EXE", "exe"));
  EXPECT_EQ(trim(" \t name \t"), "name");
  EXPECT_EQ(trimLeft("\t x "), "x ");
  EXPECT_EQ(formatText("%s, Version %s", "Savora 99", "6.998"), "Savora 99, Version 6.998");
  EXPECT_EQ(formatText("%ld", -1L), "-1");
  EXPECT_EQ(formatText("%s", std::string(5000, 'x').c_str()).size(), 5000u);
}

}  // namespace
}  // namespace savora::platform
