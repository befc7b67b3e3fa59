// The recipe tables of the recipe window's tests, with foods whose brands carry nutrients, and
// recipes written straight into the recipe table.
#pragma once

#include <initializer_list>
#include <map>
#include <string>

#include "../recipe/recipe_edit_fixture.h"

namespace savora::nutrition {

class NutritionTest : public recipe::RecipeEditTest {
 protected:
  // An ingredient whose preferred brand is sold by `serving` of `unit` and has these calories,
  // total fat and sodium per serving; returns the ingredient's UID.
  long food(const char* name, const char* serving, long unit, double calories, double fat = 0,
            double sodium = 0, food::Equivalence equivalence = {}) {
    food::BrandRecord r = savora::testing::brandRecord(std::string(name) + " brand", 0, serving,
                                                       unit, serving, unit, 1);
    r.equivalence1 = equivalence;
    r.nutrients[food::kCalories] = calories;
    r.nutrients[food::kTotalFat] = fat;
    r.nutrients[food::kSodium] = sodium;
    const long ingredient = addPreferred(name, r);
    brandOf[ingredient] = ingredients.read(ingredient)->preferredBrand;
    return ingredient;
  }

  static store::RecipeLine line(const char* quantity, long unit, long code) {
    return savora::testing::recipeLine(quantity, unit, code);
  }

  // Saves a recipe of these lines; `uid` rewrites an existing one.
  long saveRecipe(const std::string& name, long servings,
                  std::initializer_list<store::RecipeLine> lines, long uid = 0,
                  const std::string& instructions = "") {
    store::Recipe r;
    r.name = name;
    r.servings = servings;
    r.instructions = instructions;
    int i = 0;
    for (const auto& l : lines) r.lines[i++] = l;
    return recipes.save(uid, chapter, r, true);
  }

  store::Recipe loaded(long uid) {
    store::Recipe r;
    recipes.load(uid, r);
    r.uid = uid;
    return r;
  }

  std::map<long, long> brandOf;
};

}  // namespace savora::nutrition
