// A program directory with the tables the recipe window works on: a kitchen's units, a few
// ingredients with brands (the shared kitchen), one book with two chapters, and the recipe table.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "kitchen.h"
#include "program_folders.h"
#include "recipe/recipe_edit.h"
#include "scripted_user.h"

namespace savora::recipe {

class RecipeEditTest : public savora::testing::ProgramFoldersTest,
                       public savora::testing::Kitchen<savora::testing::ScriptedUser> {
 protected:
  // Unit UIDs in the order they are added.
  enum Unit : long { kTeaspoon = 1, kTablespoon, kCup, kOunce, kPound, kCan16, kCan8 };

  void SetUp() override {
    ProgramFoldersTest::SetUp();
    openKitchen();
    books.open();
    chapters.open();

    ASSERT_EQ(addUnit("teaspoon", "tsp", "", 0, 1, 8, food::kVolumeUnit), kTeaspoon);
    ASSERT_EQ(addUnit("tablespoon", "T", "3", kTeaspoon, 1, 2, food::kVolumeUnit), kTablespoon);
    ASSERT_EQ(addUnit("cup", "c", "16", kTablespoon, 1, 4, food::kVolumeUnit), kCup);
    ASSERT_EQ(addUnit("ounce", "oz", "", 0, 1, 4, food::kWeightUnit), kOunce);
    ASSERT_EQ(addUnit("pound", "lb", "16", kOunce, 1, 4, food::kWeightUnit), kPound);
    ASSERT_EQ(addUnit("16-oz can", "16-oz can", "16", kOunce, 0, 2, food::kWeightUnit), kCan16);
    ASSERT_EQ(addUnit("8-oz can", "8-oz can", "8", kOunce, 0, 2, food::kWeightUnit), kCan8);

    flour = ingredients.save({"flour", "", false, 0, 0}, 0);
    egg = ingredients.save({"egg", "eggs", false, 0, 0}, 0);
    sauce = ingredients.save({"tomato sauce", "", true, 0, 0}, 0);
    // 16 ounces of flour hold 2 servings of 1 cup: 1 cup weighs 8 ounces.
    millFlour = addBrand("Mill Flour", flour, "16", kOunce, "1", kCup, 2);
    redSauce = addBrand("Red Sauce", sauce, "1", kCan8, "1", kCan8, 1);
    ingredients.save({"flour", "", false, millFlour, 0}, flour);
    ingredients.save({"tomato sauce", "", true, redSauce, 0}, sauce);

    book = books.add("Family", "", "");
    chapter = chapters.add("Breads", book, "", "");
    otherChapter = chapters.add("Soups", book, "", "");
  }

  long addUnit(const char* name, const char* abbreviation, const char* conversion,
               long conversionUnit, long adjust, long measure, long type) {
    return units.saveRecord(savora::testing::unitRecord(name, abbreviation, conversion,
                                                        conversionUnit, adjust, measure, type),
                            0);
  }

  long addBrand(const char* name, long ingredient, const char* package, long packageUnit,
                const char* serving, long servingUnit, double servings) {
    return brands.save(savora::testing::brandRecord(name, ingredient, package, packageUnit,
                                                    serving, servingUnit, servings),
                       0);
  }

  long addRecipe(const std::string& name, long inChapter) {
    store::Recipe r;
    r.name = name;
    r.servings = 2;
    r.lines[0].quantity = "1";
    r.lines[0].ingredient = egg;
    return recipes.save(0, inChapter, r, true);
  }

  // Fills the editor as the window would from its fields.
  void type(const char* quantity, const char* unit, const char* ingredient, const char* info1 = "",
            const char* info2 = "") {
    LineEditor& e = edit.editor();
    e.quantity = quantity;
    e.unitText = unit;
    e.ingredientText = ingredient;
    e.info1 = info1;
    e.info2 = info2;
  }

  // A line's list row without its padding.
  std::string row(int index) {
    std::string text = edit.lineText(index, false, kLineWidth);
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
  }

  static constexpr size_t kLineWidth = 64;

  bookshelf::BookTable books{store};
  bookshelf::ChapterTable chapters{store};
  RecipeTables tables{recipes, units, ingredients, brands, books, chapters};
  RecipeEdit edit{tables, user};

  long flour = 0, egg = 0, sauce = 0;
  long millFlour = 0, redSauce = 0;
  long book = 0, chapter = 0, otherChapter = 0;
};

}  // namespace savora::recipe
