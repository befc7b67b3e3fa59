#include <gtest/gtest.h>

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
