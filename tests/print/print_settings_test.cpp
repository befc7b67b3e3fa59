// The print set-up's rules: paper modes, card positions, what each kind offers, the margin
// check and the options the settings file keeps.
#include <gtest/gtest.h>

#include "print/page_geometry.h"
#include "print/print_settings.h"

namespace savora::print {
namespace {

TEST(PrintSettingsTest, ThePrintedAreaMustBeAnInchEachWay) {
  struct Case {
    double left, right, top, bottom;
    const char* error;
  };
  const char* kWidth =
      "Paper width must be larger or\r\nthe left and right margins must be smaller.";
  const char* kHeight =
      "Paper height must be larger or\r\nthe top and bottom margins must be smaller.";
  for (const Case& c : {Case{4, 4, 1, 1, kWidth}, Case{3.5, 4, 1, 1, ""},
                        Case{1, 1, 5, 5.5, kHeight}, Case{1, 1, 5, 5, ""}}) {
    Margins m{c.left, c.right, c.top, c.bottom, 8.5, 11};
    EXPECT_EQ(marginError(m), c.error) << c.left << " " << c.right << " " << c.top;
  }
}

TEST(PrintSettingsTest, EachKindOffersItsOwnSwitches) {
  using K = PrintKind;
  using P = PaperMode;
  const Offered cardRecipe = offeredFor(K::Recipe, P::FormattedCards);
  EXPECT_TRUE(cardRecipe.cardPositions && cardRecipe.thirdCard && cardRecipe.cardStyles);
  EXPECT_FALSE(cardRecipe.twoColumns || cardRecipe.reduceSpace || cardRecipe.printNutrition);
  EXPECT_FALSE(offeredFor(K::RecipeList, P::FourBySixCards).thirdCard);
  const Offered sheetList = offeredFor(K::RecipeList, P::StandardSheet);
  EXPECT_TRUE(sheetList.twoOnAPage && sheetList.twoColumns && sheetList.printNutrition);
  EXPECT_FALSE(sheetList.cardPositions || sheetList.cardStyles);
  EXPECT_FALSE(offeredFor(K::Recipe, P::StandardSheet).twoOnAPage);
  const Offered shopping = offeredFor(K::ShoppingList, P::StandardSheet);
  EXPECT_TRUE(shopping.printNutrition);
  EXPECT_FALSE(shopping.cardModes || shopping.twoColumns);
  EXPECT_FALSE(offeredFor(K::Menu, P::StandardSheet).printNutrition);
  EXPECT_TRUE(offeredFor(K::Menu, P::CustomPaper).paperSize);

  PrintSettings menu;  // formatted cards by default
  fitModeToKind(menu, K::Menu);
  EXPECT_EQ(menu.paperMode, P::StandardSheet);
  EXPECT_EQ(menu.margins, (Margins{1, 1, 1, 1, 8.5, 11}));
  EXPECT_EQ(menu.titleFont.height, -24);
  EXPECT_EQ(menu.bodyFont.height, -16);
}

TEST(PrintSettingsTest, CardPositionsSetTopAndBottomMargins) {
  PrintSettings s;
  choosePaperMode(s, PaperMode::FourBySixCards);
  EXPECT_EQ(s.margins, (Margins{1.37, 1.5, 1.5, 6.0, 8.5, 11}));
  EXPECT_TRUE(chooseCardPosition(s, 2));
  EXPECT_EQ(s.margins.top, 6.0);
  EXPECT_EQ(s.margins.bottom, 1.5);
  EXPECT_FALSE(chooseCardPosition(s, 3));
  choosePaperMode(s, PaperMode::FormattedCards);
  EXPECT_TRUE(chooseCardPosition(s, 3));
  EXPECT_EQ(s.margins.top, 7.2);
  EXPECT_EQ(s.margins.bottom, 1.25);
  // Custom paper keeps what was entered.
  s.margins = {0.5, 0.5, 0.5, 0.5, 5, 7};
  choosePaperMode(s, PaperMode::CustomPaper);
  EXPECT_EQ(s.margins, (Margins{0.5, 0.5, 0.5, 0.5, 5, 7}));
}

TEST(PrintSettingsTest, PageGeometryCountsFromTheUnprintableBorderAndRaisesCornerCards) {
  const Margins m{1.87, 2.0, 1.15, 7.25, 8.5, 11};
  const PageGeometry sheet = pageGeometry(m, PaperMode::StandardSheet, CardStyle::Corner);
  EXPECT_DOUBLE_EQ(sheet.left, (1.87 - 0.25) * 77);
  EXPECT_DOUBLE_EQ(sheet.right, (8.5 - 2.0 - 0.25) * 77);
  EXPECT_DOUBLE_EQ(sheet.middle, ((8.5 - 2.0 - 1.87) / 2 + 1.87 - 0.25) * 77);
  EXPECT_DOUBLE_EQ(sheet.top, (1.15 - 0.25) * 77);
  EXPECT_DOUBLE_EQ(sheet.bottom, (11 - 7.25 - 0.25) * 77);
  EXPECT_DOUBLE_EQ(pageGeometry(m, PaperMode::FormattedCards, CardStyle::Corner).bottom,
                   sheet.bottom - 19);
  EXPECT_DOUBLE_EQ(pageGeometry(m, PaperMode::FourBySixCards, CardStyle::Corner).bottom,
                   sheet.bottom - 25);
  EXPECT_DOUBLE_EQ(pageGeometry(m, PaperMode::FormattedCards, CardStyle::Background).bottom,
                   sheet.bottom);
}

TEST(PrintSettingsTest, TheSixStoredOptionsRoundTrip) {
  PrintSettings s;
  readOptions({1, 1, 1, 0, 1, 0}, s);
  EXPECT_EQ(s, PrintSettings{});  // the file's defaults are the set-up's defaults
  s.reduceSpace = false;
  s.printNutrition = true;
  s.cardStyle = CardStyle::Background;
  s.paperMode = PaperMode::CustomPaper;
  EXPECT_EQ(storedOptions(s), (StoredOptions{0, 1, 1, 1, 0, 3}));
  PrintSettings back;
  readOptions(storedOptions(s), back);
  EXPECT_EQ(storedOptions(back), storedOptions(s));
  readOptions({1, 1, 1, 0, 1, 9}, back);  // an unknown paper mode falls back to cards
  EXPECT_EQ(back.paperMode, PaperMode::FormattedCards);
}

}  // namespace
}  // namespace savora::print
