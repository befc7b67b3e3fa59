// Recipe files in the four character sets real collections use: each recognised and converted
// into the tables' Windows-1252 character by character; characters Windows-1252 lacks become
// their plain forms.
#include <gtest/gtest.h>

#include "recipe_formats/text_encoding.h"
#include "recipe_formats/text_lines.h"

namespace savora::recipe_formats {
namespace {

struct EncodingCase {
  const char* name;
  std::string bytes;
  TextEncoding encoding;
  std::string cp1252;
};

TEST(TextEncodingTest, EachCodePageIsRecognisedAndConverted) {
  const std::vector<EncodingCase> cases = {
      {"UTF-8 with signs 1252 lacks",
       "Cr\xC3\xA8me br\xC3\xBBl\xC3\xA9" "e \xC2\xBD c 350\xC2\xB0" "F \xE2\x80\x94 "
       "\xE2\x80\x9Cok\xE2\x80\x9D \xC5\x8Dxtail \xE2\x89\xA4 5 \xE2\x85\x93 \xE2\x94\x80",
       TextEncoding::Utf8,
       "Cr\xE8me br\xFBl\xE9" "e \xBD c 350\xB0" "F \x97 \x93ok\x94 oxtail <= 5 1/3 -"},
      {"code page 437",
       "Cr\x8Ame br\x96l\x82" "e \xAB c 350\xF8" "F, \xA4o\xA4o \xC4\xC4 \xF3 2",
       TextEncoding::Cp437,
       "Cr\xE8me br\xFBl\xE9" "e \xBD c 350\xB0" "F, \xF1o\xF1o -- <= 2"},
      {"code page 850",
       "P\xC6o de l\xA2, Sm\x9Brrebr\x9B" "d, Fei\x6A\xC6o",
       TextEncoding::Cp850,
       "P\xE3o de l\xF3, Sm\xF8rrebr\xF8" "d, Feij\xE3o"},
      {"Windows-1252",
       "Cr\xE8me br\xFBl\xE9" "e \xBD c 350\xB0" "F, don\x92t",
       TextEncoding::Cp1252,
       "Cr\xE8me br\xFBl\xE9" "e \xBD c 350\xB0" "F, don\x92t"},
      {"plain ASCII", "2 c flour", TextEncoding::Cp1252, "2 c flour"},
      {"code page 437 whose only letter beyond ASCII is the sharp s",
       "Stra\xE1" "e, Gr\xE1" "e, wei\xE1", TextEncoding::Cp437,
       "Stra\xDF" "e, Gr\xDF" "e, wei\xDF"},
      {"UTF-8 fractions after a digit keep the blank of a mixed number",
       "1\xE2\x85\x93 c, 2\xE2\x85\x9B ts", TextEncoding::Utf8, "1 1/3 c, 2 1/8 ts"},
  };
  for (const EncodingCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(detectTextEncoding(c.bytes), c.encoding);
    const std::string converted = toCp1252(c.bytes, c.encoding);
    ASSERT_EQ(converted.size(), c.cp1252.size()) << converted;
    for (size_t i = 0; i < converted.size(); ++i) {
      EXPECT_EQ(int((unsigned char)converted[i]), int((unsigned char)c.cp1252[i])) << "at " << i;
    }
  }
}

TEST(TextEncodingTest, PlainFormsReplaceWhatWindows1252Lacks) {
  EXPECT_EQ(cp1252FormOf(0x0142), "l");      // l with stroke
  EXPECT_EQ(cp1252FormOf(0x1EBD), "e");      // e with tilde
  EXPECT_EQ(cp1252FormOf(0x2502), "|");      // box line
  EXPECT_EQ(cp1252FormOf(0x215B), "1/8");
  EXPECT_EQ(cp1252FormOf(0x2212), "-");      // minus sign
  EXPECT_EQ(cp1252FormOf(0x20AC), "\x80");   // the euro sign is in Windows-1252
  EXPECT_EQ(cp1252FormOf(0x65E5), "?");      // no plain form
}

TEST(TextEncodingTest, LinesEndAtNewlinesAndTheFileAtCtrlZ) {
  const TextFile file = splitTextFile("a\r\n\tb\nc\x1A" "ignored\n");
  EXPECT_EQ(file.lines, (std::vector<std::string>{"a", "        b", "c"}));
}

}  // namespace
}  // namespace savora::recipe_formats
