#include "app/settings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/print_options.h"
#include "platform/program_dirs.h"
#include "program_folders.h"
#include "temp_folder.h"

namespace savora::app {
namespace {

using savora::testing::readFileBytes;
using savora::testing::TempFolder;

// A program directory and a Windows directory of its own for each test.
class SettingsTest : public savora::testing::ProgramFoldersTest {
 protected:
  std::string settingsFile() const { return configHome.str() + "savora99/SAVORA5.INI"; }
};

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  EXPECT_EQ(start, text.size()) << "the last line lacks its line end";
  return lines;
}

std::string joinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

// Every value differs from its default and from its neighbours, so a value written to or read
// from the wrong line shows up.
Settings customSettings() {
  Settings s;
  s.window = {11, 12, 813, 614};
  s.shoppingList = {false, true, false, 7};
  s.browse = {false, true, false};
  s.print.titleFont = {-21, 3, 4, 5, 600, 1, 1, 1, 2, 3, 4, 5, 34, "Arial"};
  s.print.bodyFont = {-13, 6, 7, 8, 300, 0, 1, 0, 161, 7, 8, 1, 49, std::string(31, 'F')};
  s.print.page = {1.37, 1.5, 4.2, 4.25, 8.25, 14.0};
  s.print.options = {101, 102, 103, 104, 105, 106};
  s.includeInstructionsInSearch = false;
  s.recipeWindowOption = 2;
  s.tipCounter = 17;
  s.recipeMediaOption = 3;
  s.backupFolder = "/home/cook/backups";
  s.email = {"Pat Cook", "pat@example.org", "mail.example.org"};
  s.updateServiceOption = 4;
  s.reserved = 9;
  s.abbreviatedUnits = true;
  s.showIntro = false;
  s.recipeShelf = {201, 203, 205};
  s.catalogShelf = {202, 204, 206};
  s.handheld = {"/home/cook/palm", "Pat", 5};
  s.lastMenuWeek = 207;
  return s;
}

TEST_F(SettingsTest, DefaultsAreWrittenLineByLine) {
  const std::string expected =
      "Savora 99 Window Position:\n"
      "0\n0\n0\n0\n"  // window
      "1\n0\n1\n5\n"  // shopping list
      "1\n0\n0\n"     // browse modes
      "-16\n0\n0\n0\n700\n0\n0\n0\n0\n0\n0\n2\n18\nTimes New Roman\n"
      "-11\n0\n0\n0\n400\n0\n0\n0\n0\n0\n0\n2\n18\nTimes New Roman\n"
      "1.870000\n2.000000\n1.150000\n7.250000\n8.500000\n11.000000\n"
      "1\n"  // search
      "App Path: " +
      programDir.str() +
      "\n"
      "0\n1\n0\n\\\n"                // recipe window, tips, media, backup folder
      "\n\n\n"                       // e-mail
      "1\n0\n0\n1\n1\n1\n1\n0\n0\n"  // lines 56-64
      "-1\n-1\n-1\n-1\n-1\n-1\n"     // bookshelves
      "\n\n0\n-1\n1\n0\n";           // lines 71-76
  ASSERT_TRUE(Settings{}.writeSettings("Savora 99"));
  const std::string written = readFileBytes(settingsFile());
  EXPECT_EQ(written, expected);
  EXPECT_EQ(linesOf(written).size(), 76u);
}

TEST_F(SettingsTest, EveryValueSurvivesWriteAndRead) {
  const Settings custom = customSettings();
  ASSERT_TRUE(custom.writeSettings("My Title"));
  Settings back;
  ASSERT_TRUE(back.readSettings());
  EXPECT_EQ(back.window, custom.window);
  EXPECT_EQ(back.shoppingList, custom.shoppingList);
  EXPECT_EQ(back.browse, custom.browse);
  EXPECT_EQ(back.print.titleFont, custom.print.titleFont);
  EXPECT_EQ(back.print.bodyFont, custom.print.bodyFont);
  EXPECT_EQ(back.print.page, custom.print.page);
  EXPECT_EQ(back.print.options, custom.print.options);
  EXPECT_EQ(back.email, custom.email);
  EXPECT_EQ(back.handheld, custom.handheld);
  EXPECT_EQ(back.recipeShelf, custom.recipeShelf);
  EXPECT_EQ(back.catalogShelf, custom.catalogShelf);
  EXPECT_TRUE(back == custom) << "a value outside the groups above was lost";
}

TEST_F(SettingsTest, ValuesGoToTheirLines) {
  const auto lines = linesOf(customSettings().format("My Title"));
  ASSERT_EQ(lines.size(), 76u);
  const struct {
    size_t line;  // 1-based
    std::string text;
  } cases[] = {
      {1, "My Title Window Position:"},
      {5, "614"},
      {9, "7"},
      {11, "1"},
      {13, "-21"},
      {25, "34"},
      {26, "Arial"},
      {35, "161"},
      {40, std::string(31, 'F')},
      {41, "1.370000"},
      {46, "14.000000"},
      {48, "App Path: " + programDir.str()},
      {50, "17"},
      {52, "/home/cook/backups"},
      {53, "Pat Cook"},
      {55, "mail.example.org"},
      {57, "9"},
      {58, "1"},
      {59, "101"},
      {61, "103"},
      {62, "0"},
      {63, "9"},
      {64, "104"},
      {65, "201"},
      {66, "202"},
      {67, "203"},
      {68, "204"},
      {69, "205"},
      {70, "206"},
      {71, "/home/cook/palm"},
      {72, "Pat"},
      {73, "5"},
      {74, "207"},
      {75, "105"},
      {76, "106"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line));
    EXPECT_EQ(lines[c.line - 1], c.text);
  }
}

TEST_F(SettingsTest, WithoutHeaderNothingIsRead) {
  std::string text = customSettings().format("My Title");
  text.replace(0, text.find('\n'), "My Title Window Size:");
  const struct {
    const char* name;
    std::optional<std::string> file;
  } cases[] = {{"no header", text}, {"empty file", ""}, {"missing file", std::nullopt}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(settingsFile());
    if (c.file) configHome.write("savora99/SAVORA5.INI", *c.file);
    Settings s;
    EXPECT_FALSE(s.readSettings());
    EXPECT_TRUE(s == Settings{});
    EXPECT_EQ(s.backupFolder, "\\");
    EXPECT_EQ(s.backupFolder.size(), 1u);
    EXPECT_EQ(s.recipeShelf, (BookshelfSelection{-1, -1, -1}));
    EXPECT_EQ(s.catalogShelf, (BookshelfSelection{-1, -1, -1}));
    EXPECT_EQ(s.lastMenuWeek, -1);
  }
}

TEST_F(SettingsTest, WindowCoveringTheScreenIsStoredAsZeros) {
  Settings s;
  s.storeWindowPosition(-4, -4, 1924, 1084, true);
  ASSERT_TRUE(s.writeSettings("T"));
  const auto lines = linesOf(readFileBytes(settingsFile()));
  EXPECT_EQ(std::vector<std::string>(lines.begin() + 1, lines.begin() + 5),
            (std::vector<std::string>{"0", "0", "0", "0"}));
  Settings back = customSettings();
  ASSERT_TRUE(back.readSettings());
  EXPECT_TRUE(back.isFullScreen());

  s.storeWindowPosition(0, 0, 800, 600, false);
  EXPECT_FALSE(s.isFullScreen());
  EXPECT_EQ(s.window, (WindowPosition{0, 0, 800, 600}));
}

TEST_F(SettingsTest, LinesAfterLongTextsAreStillRead) {
  Settings custom = customSettings();
  custom.backupFolder = "/" + std::string(258, 'b');
  custom.email = {std::string(259, 'n'), std::string(259, 'a'), std::string(259, 's')};
  custom.handheld.firstText = std::string(519, 'h');
  custom.handheld.secondText = std::string(259, 'u');
  const std::string text = custom.format("My Title");
  const auto lines = linesOf(text);
  size_t offsetOfLine74 = 0;
  for (size_t i = 0; i < 73; ++i) offsetOfLine74 += lines[i].size() + 1;
  ASSERT_GT(offsetOfLine74, 2000u);

  configHome.write("savora99/SAVORA5.INI", text);
  Settings back;
  ASSERT_TRUE(back.readSettings());
  EXPECT_TRUE(back == custom);
}

TEST_F(SettingsTest, OverlongTextsAreCutWhenRead) {
  auto lines = linesOf(customSettings().format("T"));
  const struct {
    size_t line;
    size_t kept;
    std::function<const std::string&(const Settings&)> value;
  } cases[] = {
      {26, 31, [](const Settings& s) -> const std::string& { return s.print.titleFont.faceName; }},
      {40, 31, [](const Settings& s) -> const std::string& { return s.print.bodyFont.faceName; }},
      {52, 259, [](const Settings& s) -> const std::string& { return s.backupFolder; }},
      {53, 259, [](const Settings& s) -> const std::string& { return s.email.senderName; }},
      {54, 259, [](const Settings& s) -> const std::string& { return s.email.senderAddress; }},
      {55, 259, [](const Settings& s) -> const std::string& { return s.email.mailServer; }},
      {71, 519, [](const Settings& s) -> const std::string& { return s.handheld.firstText; }},
      {72, 259, [](const Settings& s) -> const std::string& { return s.handheld.secondText; }},
  };
  for (const auto& c : cases) lines[c.line - 1] = std::string(c.kept, 'k') + "CUT";
  Settings back;
  ASSERT_TRUE(back.parse(joinLines(lines)));
  for (const auto& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line));
    EXPECT_EQ(c.value(back), std::string(c.kept, 'k'));
  }
  EXPECT_EQ(back.lastMenuWeek, 207);
}

// A damaged line keeps that value's default and no other value moves.
TEST_F(SettingsTest, MalformedLinesKeepTheirDefaults) {
  const Settings custom = customSettings();
  const auto goodLines = linesOf(custom.format("T"));
  const Settings defaults;
  const struct {
    size_t line;
    std::string text;
    std::function<void(Settings&)> restoreDefault;
  } cases[] = {
      {2, "abc", [&](Settings& s) { s.window.left = defaults.window.left; }},
      {5, "12abc", [&](Settings& s) { s.window.bottom = defaults.window.bottom; }},
      {9, "", [&](Settings& s) { s.shoppingList.serves = defaults.shoppingList.serves; }},
      {9, "99999999999",
       [&](Settings& s) { s.shoppingList.serves = defaults.shoppingList.serves; }},
      {9, "2.5", [&](Settings& s) { s.shoppingList.serves = defaults.shoppingList.serves; }},
      {10, "yes", [&](Settings& s) { s.browse.cookbook = defaults.browse.cookbook; }},
      {13, "--16",
       [&](Settings& s) { s.print.titleFont.height = defaults.print.titleFont.height; }},
      {25, "300",
       [&](Settings& s) {
         s.print.titleFont.pitchAndFamily = defaults.print.titleFont.pitchAndFamily;
       }},
      {35, "-1", [&](Settings& s) { s.print.bodyFont.charSet = defaults.print.bodyFont.charSet; }},
      {41, "1,370000",
       [&](Settings& s) { s.print.page.leftMargin = defaults.print.page.leftMargin; }},
      {46, "nan", [&](Settings& s) { s.print.page.paperHeight = defaults.print.page.paperHeight; }},
      {46, "", [&](Settings& s) { s.print.page.paperHeight = defaults.print.page.paperHeight; }},
      {50, "x1", [&](Settings& s) { s.tipCounter = defaults.tipCounter; }},
      {65, "", [&](Settings& s) { s.recipeShelf.book = defaults.recipeShelf.book; }},
      {70, "", [&](Settings& s) { s.catalogShelf.category = defaults.catalogShelf.category; }},
      {74, "", [&](Settings& s) { s.lastMenuWeek = defaults.lastMenuWeek; }},
      {76, "-", [&](Settings& s) { s.print.options[5] = defaults.print.options[5]; }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("line " + std::to_string(c.line) + " \"" + c.text + "\"");
    auto lines = goodLines;
    lines[c.line - 1] = c.text;
    Settings expected = custom;
    c.restoreDefault(expected);
    Settings back;
    ASSERT_TRUE(back.parse(joinLines(lines)));
    EXPECT_TRUE(back == expected);
  }
}

TEST_F(SettingsTest, LaterReservedLineWinsUnlessDamaged) {
  auto lines = linesOf(customSettings().format("T"));
  lines[56] = "3";
  lines[62] = "4";
  Settings s;
  ASSERT_TRUE(s.parse(joinLines(lines)));
  EXPECT_EQ(s.reserved, 4);
  lines[62] = "?";
  ASSERT_TRUE(s.parse(joinLines(lines)));
  EXPECT_EQ(s.reserved, 3);
}

TEST_F(SettingsTest, ShortOrForeignFilesReadWhatIsThere) {
  const Settings custom = customSettings();
  const auto lines = linesOf(custom.format("T"));

  // The first 52 lines end at the backup folder: all of them read, the rest keep defaults.
  Settings shortRead;
  ASSERT_TRUE(shortRead.parse(joinLines({lines.begin(), lines.begin() + 52})));
  Settings expected = custom;
  expected.email = {};
  expected.updateServiceOption = 1;
  expected.reserved = 0;
  expected.abbreviatedUnits = false;
  expected.print.options = {1, 1, 1, 0, 1, 0};
  expected.showIntro = true;
  expected.recipeShelf = expected.catalogShelf = {};
  expected.handheld = {};
  expected.lastMenuWeek = -1;
  EXPECT_TRUE(shortRead == expected);

  // Carriage returns before the line ends and a missing final line end change nothing.
  std::string crlf;
  for (const auto& line : lines) crlf += line + "\r\n";
  crlf.resize(crlf.size() - 2);
  Settings fromCrlf;
  ASSERT_TRUE(fromCrlf.parse(crlf));
  EXPECT_TRUE(fromCrlf == custom);
}

TEST_F(SettingsTest, LineBreaksInsideTextsDoNotShiftLaterLines) {
  Settings custom = customSettings();
  custom.email.senderName = "Pat\nCook";
  custom.handheld.firstText = "folder\r\n";
  const auto lines = linesOf(custom.format("Two\nLines"));
  ASSERT_EQ(lines.size(), 76u);
  EXPECT_EQ(lines[0], "Two Window Position:");
  EXPECT_EQ(lines[52], "Pat");
  EXPECT_EQ(lines[70], "folder");
  Settings back;
  ASSERT_TRUE(back.parse(joinLines(lines)));
  EXPECT_EQ(back.lastMenuWeek, custom.lastMenuWeek);
  EXPECT_EQ(back.print.options, custom.print.options);
}

// The print set-up's settings go into the file's print lines and come back, the card position
// with them through its top margin.
TEST(PrintOptionsTest, PrintSettingsSurviveTheSettingsFile) {
  print::PrintSettings chosen;
  print::choosePaperMode(chosen, print::PaperMode::FormattedCards);
  ASSERT_TRUE(print::chooseCardPosition(chosen, 2));
  chosen.cardStyle = print::CardStyle::Background;
  chosen.printNutrition = true;
  chosen.bodyFont.faceName = "Liberation Serif";
  Settings written;
  keepPrintSettings(written.print, chosen);
  Settings read;
  ASSERT_TRUE(read.parse(written.format("Savora")));
  EXPECT_EQ(printSettingsOf(read.print), chosen);
  EXPECT_EQ(printSettingsOf(Settings{}.print), print::PrintSettings{});
}

}  // namespace
}  // namespace savora::app
