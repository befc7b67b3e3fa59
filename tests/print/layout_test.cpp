// Printed layouts on a recording canvas: card continuation, the corner, word wrap that always
// moves on, the recipe page and lists of recipes.
#include <gtest/gtest.h>

#include <sstream>

#include "../nutrition/nutrition_fixture.h"
#include "print/page_writer.h"
#include "print/print_document.h"
#include "platform/file_ops.h"
#include "print/print_job.h"
#include "print/print_service.h"
#include "recording_canvas.h"

namespace savora::print {
namespace {

using savora::testing::RecordingCanvas;

struct Drawn {
  double x, y;
  std::string text;
};

// The texts drawn, with "page" entries where a new page began.
std::vector<Drawn> drawnTexts(const RecordingCanvas& canvas) {
  std::vector<Drawn> drawn;
  for (const std::string& call : canvas.calls) {
    if (call == "page") drawn.push_back({0, 0, "page"});
    if (!call.starts_with("text ")) continue;
    std::istringstream in(call.substr(5));
    Drawn d;
    in >> d.x >> d.y;
    std::getline(in, d.text);
    d.text.erase(0, 1);
    drawn.push_back(d);
  }
  return drawn;
}

// The top of each card or page area the texts were drawn in, in order; -1 marks a new sheet.
// A new area shows as a jump of more than two lines, up or down.
constexpr double kPage = -1;
std::vector<double> areaTops(const RecordingCanvas& canvas) {
  std::vector<double> tops;
  double lastY = -1e9;
  for (const Drawn& d : drawnTexts(canvas)) {
    if (d.text == "page") {
      tops.push_back(kPage);
      lastY = -1e9;
      continue;
    }
    if (d.y < lastY || d.y > lastY + 40) tops.push_back(d.y);
    lastY = d.y;
  }
  return tops;
}

// The recording canvas keeps a tenth of a unit.
void expectTops(const std::vector<double>& actual, const std::vector<double>& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) EXPECT_NEAR(actual[i], expected[i], 0.06) << i;
}

PrintSettings settingsFor(PaperMode mode, CardStyle style = CardStyle::Corner) {
  PrintSettings s;
  s.cardStyle = style;
  choosePaperMode(s, mode);
  return s;
}

TEST(PageWriterTest, CardsContinueOnTheNextCardPositionThenANewSheet) {
  struct Case {
    PaperMode mode;
    int lines;
    std::vector<double> tops;
  };
  // Cards of 17 lines (formatted) and 22 lines (four-by-six) of the 11-unit body font.
  for (const Case& c : {Case{PaperMode::FormattedCards, 60, {69.3, 304.15, 535.15, kPage, 69.3}},
                        Case{PaperMode::FourBySixCards, 70, {96.25, 442.75, kPage, 96.25, 442.75}},
                        Case{PaperMode::StandardSheet, 50, {57.75, kPage, 57.75}}}) {
    SCOPED_TRACE(int(c.mode));
    RecordingCanvas canvas;
    PageWriter pen(canvas, settingsFor(c.mode));
    for (int i = 0; i < c.lines; ++i) {
      pen.textAtLeft("line");
      pen.lineDown();
    }
    expectTops(areaTops(canvas), c.tops);
  }
}

TEST(PageWriterTest, ACornerCardStartsLinesNearTheBottomClearOfTheCorner) {
  RecordingCanvas canvas;
  PageWriter pen(canvas, settingsFor(PaperMode::FormattedCards));
  const double left = (1.87 - 0.25) * 77;
  const double bottom = (11 - 7.25 - 0.25) * 77 - 19;
  for (int i = 0; i < 16; ++i) {
    pen.textAtLeft("line");
    pen.lineDown();
  }
  for (const Drawn& d : drawnTexts(canvas)) {
    if (d.y > 300) break;  // the second card
    EXPECT_NEAR(d.x, d.y >= bottom - 38.5 ? left + 100.1 : left, 0.06) << d.y;
  }
  // The background style draws no corner and shifts nothing.
  RecordingCanvas plain;
  PageWriter background(plain, settingsFor(PaperMode::FormattedCards, CardStyle::Background));
  background.setY(bottom - 5);
  background.textAtLeft("line");
  EXPECT_NEAR(drawnTexts(plain).back().x, left, 0.06);
}

TEST(PageWriterTest, WrapBreaksAtBlanksAndAlwaysMovesOn) {
  PrintSettings s = settingsFor(PaperMode::CustomPaper);
  s.margins = {0.25, 0.25, 0.25, 0.25, 2.25, 2.25};  // 154 units: 25 characters a line
  RecordingCanvas canvas;
  PageWriter pen(canvas, s);
  pen.wrap("one two\tthree\r\nfour " + std::string(60, 'w') + " five", true);
  std::vector<std::string> texts;
  for (const Drawn& d : drawnTexts(canvas)) texts.push_back(d.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"one", "two", "three", "four", std::string(60, 'w'),
                                             "five"}));
  const auto drawn = drawnTexts(canvas);
  EXPECT_DOUBLE_EQ(drawn[2].x, 6 * 7 + 12);  // after "one two" and a tab of two blanks
  EXPECT_DOUBLE_EQ(drawn[3].x, 10);          // the first continuation line starts 10 in
  EXPECT_DOUBLE_EQ(drawn[4].x, 0);           // the long word starts a line of its own
  EXPECT_EQ(canvas.pages, 1);

  // A line taller than the whole area is drawn at its top, once per area, not over empty pages.
  s.titleFont.height = -1000;
  RecordingCanvas tall;
  PageWriter tallPen(tall, s);
  tallPen.useFont(Font::Title);
  tallPen.wrap("Tall title words");
  EXPECT_LE(tall.pages, 3);
}

class RecipePrintTest : public nutrition::NutritionTest {
 protected:
  std::vector<std::string> printed(const PrintSettings& s, const std::vector<store::Recipe>& list,
                                   RecordingCanvas& canvas) {
    return printed(s, recipesJob(PrintKind::RecipeList, tables, user, list), canvas);
  }
  std::vector<std::string> printed(const PrintSettings& s, const PrintJob& job,
                                   RecordingCanvas& canvas) {
    EXPECT_TRUE(drawJob(canvas, s, job));
    std::vector<std::string> texts;
    for (const Drawn& d : drawnTexts(canvas)) texts.push_back(d.text);
    return texts;
  }
  static bool has(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
  }
};

struct RecordingPrintService : PrintService {
  PrintSettings keptSettings() const override { return kept; }
  void openSetup(PrintJob job) override { jobs.push_back(std::move(job)); }
  PrintSettings kept;
  std::vector<PrintJob> jobs;
};

// The bookshelf hands the print set-up a job that carries what it prints, totals too: with every
// table closed after it was made, the page and the text form (as Export Text wrote it) come out
// the same, the label on sheets only.
TEST_F(RecipePrintTest, AJobCarriesItsTotalsAndPrintsWithTheTablesClosed) {
  const long butter = food("butter", "1", kTablespoon, 100, 13);
  const long toast = saveRecipe("Toast", 1, {line("2", kTablespoon, butter)}, 0, "Spread it.");
  PrintSettings sheet = settingsFor(PaperMode::StandardSheet);
  sheet.printNutrition = true;
  sheet.reduceSpace = false;
  auto service = std::make_shared<RecordingPrintService>();
  service->kept = sheet;
  const auto printListed = listedRecipesPrinter(service, tables, user);
  user.answerFileDialog(programDir.str() + "/toast.txt");
  printListed({toast}, true);
  printListed({toast}, false);
  const PrintJob& job = service->jobs.at(0);
  RecordingCanvas open, onSheet;
  printed(sheet, job, open);
  const std::string text = *platform::readWholeFile(programDir.str() + "/toast.txt");
  for (store::TableModule* table : std::initializer_list<store::TableModule*>{
           &recipes, &units, &ingredients, &brands, &books, &chapters})
    table->close();
  EXPECT_EQ(jobText(job, sheet), text);
  const auto texts = printed(sheet, job, onSheet);
  EXPECT_EQ(onSheet.calls, open.calls);
  for (const char* t : {"Toast", "Family", "Breads", "Spread", "Nutrition Facts", "Total Fat ",
                        "26g", "40%", "Calories 200", "% Daily Value*"})
    EXPECT_TRUE(has(texts, t)) << t;
  EXPECT_FALSE(has(texts, "Makes 1 servings"));
  EXPECT_TRUE(onSheet.finished);

  PrintSettings cards = settingsFor(PaperMode::FormattedCards);
  cards.printNutrition = true;
  RecordingCanvas onCards;
  EXPECT_FALSE(has(printed(cards, job, onCards), "Nutrition Facts"));
}

TEST_F(RecipePrintTest, ARecipeWithoutIngredientsPrintsItsNameAndInstructions) {
  store::Recipe r = loaded(saveRecipe("Boiled Water", 4, {}, 0, "Boil it."));
  RecordingCanvas canvas;
  EXPECT_EQ(printed(settingsFor(PaperMode::StandardSheet), {r}, canvas),
            (std::vector<std::string>{"Boiled Water", "Makes 4 servings", "Boil", "it."}));
}

TEST_F(RecipePrintTest, AListGoesOnToTheNextCardOrSheetUnlessTwoFitOnAPage) {
  const store::Recipe a = loaded(saveRecipe("Alpha", 1, {}, 0, "First."));
  const store::Recipe b = loaded(saveRecipe("Beta", 1, {}, 0, "Second."));
  PrintSettings cards = settingsFor(PaperMode::FormattedCards);
  ASSERT_TRUE(chooseCardPosition(cards, 3));
  RecordingCanvas onCards;
  printed(cards, {a, b}, onCards);
  expectTops(areaTops(onCards), {535.15, kPage, 69.3});

  // A recipe whose last line fills its card leaves no empty card before the next one.
  std::string fourteenLines = "1";
  for (int i = 2; i <= 14; ++i) fourteenLines += "\n" + std::to_string(i);
  const store::Recipe full = loaded(saveRecipe("Full", 1, {}, 0, fourteenLines));
  RecordingCanvas filled;
  printed(settingsFor(PaperMode::FormattedCards), {full, b}, filled);
  expectTops(areaTops(filled), {69.3, 304.15});

  PrintSettings sheets = settingsFor(PaperMode::StandardSheet);
  sheets.twoOnAPage = false;
  RecordingCanvas apart;
  printed(sheets, {a, b}, apart);
  EXPECT_EQ(apart.pages, 2);
  sheets.twoOnAPage = true;
  RecordingCanvas together;
  printed(sheets, {a, b}, together);
  EXPECT_EQ(together.pages, 1);
}

TEST(PrintDocumentTest, MenusListTheirDaysAndAShoppingListAddsItsLabelOnSheets) {
  PrintDocument menu{"Week One", {{kDayNames[0], {"Pancakes"}}, {kDayNames[1], {"Soup"}}}};
  RecordingCanvas canvas;
  PageWriter pen(canvas, settingsFor(PaperMode::StandardSheet));
  printDocument(pen, menu);
  std::vector<std::string> texts;
  for (const Drawn& d : drawnTexts(canvas)) texts.push_back(d.text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Week One", "Sunday", "     Pancakes", "Monday",
                                             "     Soup"}));

  PrintDocument list{"Shopping List", {{"Dairy", {"1 cup  -  milk"}}}, true, nutrition::Totals{}};
  PrintSettings s = settingsFor(PaperMode::StandardSheet);
  s.printNutrition = true;
  RecordingCanvas withLabel;
  PageWriter labelPen(withLabel, s);
  printDocument(labelPen, list);
  bool labelled = false;
  for (const Drawn& d : drawnTexts(withLabel)) labelled |= d.text == "Nutrition Facts";
  EXPECT_TRUE(labelled);
}

}  // namespace
}  // namespace savora::print
