#include <cstdio>
#include <fstream>

#include "recording_canvas.h"
#include "temp_folder.h"
#include "toolkit/font_mapping.h"
#include "toolkit/qt_canvas.h"
#include "toolkit_fixture.h"

namespace savora::toolkit {
namespace {

std::string runCommand(const std::string& command) {
  std::string out;
  if (FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

TEST(QtCanvasTest, DrawsTextLinesAndPagesIntoAPdf) {
  savora::testing::TempFolder dir;
  const std::string pdf = dir.str() + "label.pdf";
  auto canvas = QtCanvas::toPdf(pdf);
  ASSERT_TRUE(canvas->isActive());
  LogFont heading;  // Times New Roman bold
  canvas->selectFont(heading);
  canvas->text(10, 10, "Nutrition Facts");
  const double width = canvas->textWidth("Nutrition Facts");
  EXPECT_GT(width, 50);
  EXPECT_LT(width, 400);
  EXPECT_GT(canvas->lineHeight(), 10);
  canvas->line(10, 40, 200, 40, 3);
  canvas->fillRect(10, 50, 190, 8);
  canvas->newPage();
  LogFont body = heading;
  body.height = -11;
  body.weight = 400;
  canvas->selectFont(body);
  EXPECT_LT(canvas->textWidth("Nutrition Facts"), width);
  canvas->text(10, 10,
               "Cr\xE8me br\xFBl\xE9"
               "e");
  ASSERT_TRUE(canvas->finish());

  std::ifstream in(pdf, std::ios::binary);
  std::string head(5, '\0');
  in.read(head.data(), 5);
  EXPECT_EQ(head, "%PDF-");
  if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) GTEST_SKIP() << "pdftotext missing";
  const std::string text = runCommand("pdftotext -layout '" + pdf + "' -");
  EXPECT_NE(text.find("Nutrition Facts"), std::string::npos) << text;
  EXPECT_NE(text.find("Crème brûlée"), std::string::npos) << text;
  EXPECT_NE(text.find('\f'), std::string::npos);  // two pages
}

TEST(FontMappingTest, LogFontRoundTripsThroughQFont) {
  LogFont stored;
  stored.height = -11;
  stored.weight = 400;
  stored.italic = 1;
  const QFont font = qFontOf(stored);
  EXPECT_TRUE(font.italic());
  EXPECT_EQ(font.weight(), QFont::Normal);
  const LogFont back = logFontOf(font, stored);
  EXPECT_EQ(back, stored);
}

TEST(RecordingCanvasTest, RecordsCallsWithPredictableMetrics) {
  savora::testing::RecordingCanvas canvas;
  LogFont font;
  canvas.selectFont(font);
  canvas.text(1, 2, "abc");
  EXPECT_EQ(canvas.textWidth("abc"), 18.0);
  EXPECT_EQ(canvas.lineHeight(), 16.0);
  EXPECT_EQ(canvas.calls.back(), "text 1.0 2.0 abc");
}

}  // namespace
}  // namespace savora::toolkit
