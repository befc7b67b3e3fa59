// The line editor of the recipe window: loading a line into its fields and turning the fields
// back into the line.
#include "food/brand_table.h"
#include "food/food_conversion.h"
#include "food/ingredient_table.h"
#include "food/package_choice.h"
#include "food/plural_words.h"
#include "food/quantity.h"
#include "food/unit_names.h"
#include "food/unit_table.h"
#include "platform/text.h"
#include "recipe/recipe_edit.h"
#include "store/recipe_table.h"

namespace savora::recipe {
namespace {

using Kind = IngredientTarget::Kind;

std::string ingredientName(food::IngredientTable& ingredients, long uid) {
  return ingredients.nameForPluralFlag(uid, false);
}

}  // namespace

void RecipeEdit::loadLine(int index) {
  current_ = index;
  const store::RecipeLine& line = recipe_.lines[size_t(index)];
  editor_ = {};
  editor_.quantity = line.quantity;
  editor_.unitText =
      food::unitNameForQuantity(tables_.units, line.quantity, line.unit, tables_.unitSettings);
  const IngredientTarget target = decodeIngredientCode(line.ingredient);
  switch (target.kind) {
    case Kind::Brand:
      editor_.selectedBrand = target.uid;
      editor_.ingredientText =
          ingredientName(tables_.ingredients, tables_.brands.ingredientOf(target.uid));
      break;
    case Kind::Recipe:
      editor_.selectedRecipe = target.uid;
      editor_.ingredientText = tables_.recipes.nameOf(target.uid);
      break;
    case Kind::Ingredient:
      editor_.ingredientText = tables_.ingredients.nameForQuantity(target.uid, line.quantity);
      break;
    case Kind::None:
      break;
  }
  editor_.info1 = line.info1;
  editor_.info2 = line.info2;
  editor_.previousUnit = line.unit;
}

long RecipeEdit::lookUpUnit(const std::string& text) {
  if (text.empty()) return 0;
  const food::UnitSettings settings = tables_.unitSettings;
  // A plural goes on the list singular: the list forms plurals itself.
  const bool plural = !settings.abbreviatedUnits && food::looksPlural(text);
  const std::string name = plural ? food::singularOf(text) : text;
  // Cooks write units by name or abbreviation, singular or plural ("cups", "tbsps", "pinches").
  for (const std::string& typed : {text, name}) {
    for (const bool byAbbreviation : {settings.abbreviatedUnits, !settings.abbreviatedUnits}) {
      if (const long uid = food::unitUidOfText(tables_.units, typed, byAbbreviation, settings))
        return uid;
    }
  }
  const std::string question =
      name == text ? platform::formatText(
                         "%s is not found on the unit list.  Would you like to add it to the list?",
                         text.c_str())
                   : platform::formatText(
                         "%s is not found on the unit list.  Would you like to add %s to the list?",
                         text.c_str(), name.c_str());
  if (user_.message("New Unit?", "QUESTION", toolkit::Buttons::YesNo, question) !=
      toolkit::Button::Yes) {
    keepTypedWords(text, true);
    return 0;
  }
  return tables_.units.addByName(name, 0);
}

long RecipeEdit::lookUpIngredient(const std::string& text) {
  if (editor_.selectedBrand != 0) {
    const long ingredient = tables_.brands.ingredientOf(editor_.selectedBrand);
    if (ingredient != 0 && tables_.ingredients.uidOfText(text) == ingredient) {
      return encodeIngredientCode({Kind::Brand, editor_.selectedBrand});
    }
  }
  if (editor_.selectedRecipe != 0 &&
      platform::equalsIgnoreCase(tables_.recipes.nameOf(editor_.selectedRecipe), text) &&
      !text.empty()) {
    return encodeIngredientCode({Kind::Recipe, editor_.selectedRecipe});
  }
  if (text.empty()) return 0;
  if (const long uid = tables_.ingredients.uidOfText(text); uid != 0) return uid;
  // "eggs" for an egg listed without its plural, "cookies" for a cookie.
  if (food::looksPlural(text)) {
    for (const std::string& singular : {food::singularOf(text), text.substr(0, text.size() - 1)}) {
      if (const long uid = tables_.ingredients.uidOfText(singular); uid != 0) return uid;
    }
  }
  return addIngredient(text);
}

long RecipeEdit::addIngredient(const std::string& text) {
  const std::string singular = food::singularOf(text);
  const std::string question =
      singular.empty()
          ? platform::formatText(
                "%s is not found on the ingredient list.  Would you like to add it to the list?",
                text.c_str())
          : platform::formatText(
                "%s is not found on the ingredient list.  Would you like to add %s to the list?",
                text.c_str(), singular.c_str());
  if (user_.message("New Ingredient?", "QUESTION", toolkit::Buttons::YesNo, question) !=
      toolkit::Button::Yes) {
    keepTypedWords(text, false);
    return 0;
  }
  if (singular.empty()) return tables_.ingredients.addByName(text);
  return tables_.ingredients.save(
      {platform::toLower(singular), platform::toLower(text), false, 0, 0}, 0);
}

void RecipeEdit::keepTypedWords(const std::string& words, bool before) {
  // The words move rather than being asked about again at the next commit.
  (before ? editor_.unitText : editor_.ingredientText).clear();
  std::string& info = editor_.info1;
  if (info.empty()) {
    info = words;
  } else {
    info = before ? words + " " + info : info + " " + words;
  }
}

// "leeks, sliced": what follows the comma is the preparation, which the line shows after the
// ingredient, comma and all.
void RecipeEdit::takePreparation() {
  std::string& text = editor_.ingredientText;
  const size_t comma = text.find(',');
  if (comma == std::string::npos || editor_.selectedRecipe != 0) return;
  if (tables_.ingredients.uidOfText(platform::trim(text)) != 0) return;
  const std::string preparation = platform::trim(text.substr(comma));
  text = platform::trim(text.substr(0, comma));
  std::string& info = editor_.info2;
  info = info.empty() ? preparation : preparation + " " + info;
}

void RecipeEdit::commitLine() {
  if (!takeTypedLines()) commitEditor();
}

void RecipeEdit::commitEditor() {
  store::RecipeLine& line = recipe_.lines[size_t(current_)];
  const store::RecipeLine before = line;
  line.quantity = editor_.quantity.substr(0, store::kQuantityLength);
  line.unit = lookUpUnit(platform::trim(editor_.unitText));
  takePreparation();
  line.ingredient = lookUpIngredient(platform::trim(editor_.ingredientText));
  line.info1 = editor_.info1;
  line.info2 = editor_.info2;
  checkPackageSize(line);
  countUses(before, line);
  editor_.previousUnit = line.unit;
}

// Offers the package unit the ingredient is sold in when the line asks for a package unit
// ("16-oz can") that none of its products comes in.
void RecipeEdit::checkPackageSize(store::RecipeLine& line) {
  if (line.unit == 0 || line.unit == editor_.previousUnit || tables_.units.plainUnit(line.unit)) {
    return;
  }
  const IngredientTarget target = decodeIngredientCode(line.ingredient);
  if (editor_.selectedRecipe != 0 || target.kind == Kind::None || target.kind == Kind::Recipe) {
    return;
  }
  const long ingredient =
      target.kind == Kind::Brand ? tables_.brands.ingredientOf(target.uid) : target.uid;
  const food::BrandInfo package =
      target.kind == Kind::Brand ? tables_.brands.information(target.uid)
                                 : tables_.ingredients.defaultPackage(target.uid, tables_.brands);
  if (package.empty() || package.packageUnit == line.unit) return;

  food::ConversionList units = tables_.units.conversionList();
  food::PackageNeed need{1.0, line.unit, package.uid};
  food::PackageSwitches switches;
  switches.preferOne = true;
  switches.ignoreName = true;
  switches.takeAnyName = tables_.ingredients.interchangeable(ingredient);
  if (!food::choosePackage(units, tables_.brands, need, switches)) return;
  const food::BrandInfo chosen = tables_.brands.information(need.brand);
  if (chosen.packageUnit == line.unit) return;

  const std::string packageUnitName =
      food::unitNameForPlural(tables_.units, false, chosen.packageUnit, tables_.unitSettings);
  const std::string question = platform::formatText(
      "None of the %s products come in %s.\r\n%s comes in %s.\r\nWould you like to use this size?",
      ingredientName(tables_.ingredients, ingredient).c_str(),
      food::unitNameForPlural(tables_.units, false, line.unit, tables_.unitSettings).c_str(),
      chosen.name.c_str(), packageUnitName.c_str());
  if (user_.message("Information", "INFORMATION", toolkit::Buttons::YesNo, question) ==
      toolkit::Button::Yes) {
    line.unit = chosen.packageUnit;
    editor_.unitText = packageUnitName;
  }
}

void RecipeEdit::countUses(const store::RecipeLine& before, const store::RecipeLine& after) {
  if (after.unit != before.unit && after.unit != 0) tables_.units.countUse(after.unit);
  if (after.ingredient == before.ingredient) return;
  const IngredientTarget target = decodeIngredientCode(after.ingredient);
  if (target.kind == Kind::Ingredient) tables_.ingredients.countUse(target.uid);
  if (target.kind == Kind::Brand) {
    if (const long ingredient = tables_.brands.ingredientOf(target.uid); ingredient != 0) {
      tables_.ingredients.countUse(ingredient);
    }
  }
}

bool RecipeEdit::changeUnit(long oldUnit, long newUnit) {
  const store::RecipeLine& line = recipe_.lines[size_t(current_)];
  // A quantity the program wrote and the user left alone keeps its exact value.
  const double quantity = line.quantityValue != 0 && editor_.quantity == line.shownQuantity
                              ? line.quantityValue
                              : food::parseQuantity(editor_.quantity);
  if (quantity == 0 || quantity == -1 || oldUnit == 0 || newUnit == 0 || oldUnit == newUnit) {
    return false;
  }
  food::ConversionList units = tables_.units.conversionList();
  const long oldType = units.typeOf(oldUnit);
  const long newType = units.typeOf(newUnit);
  if (oldType < 0 || newType < 0) return false;

  float converted = -1;
  if (oldType == newType) {
    converted = units.convert(float(quantity), oldUnit, newUnit);
  } else {
    const long ingredient = tables_.ingredients.uidOfText(platform::trim(editor_.ingredientText));
    const food::BrandInfo package = tables_.ingredients.defaultPackage(ingredient, tables_.brands);
    converted = food::convertFood(units, float(quantity), oldUnit, newUnit, package);
  }
  if (!(converted > 0)) return false;

  // Written in the unit the user picked: moving it along the ladder would undo the choice.
  const long limit = tables_.units.smallestMeasure(newUnit);
  std::string text = food::writeQuantity(converted, limit > 0 ? limit : 16);
  if (text.empty()) text = platform::formatText("%.3f", double(converted));
  store::RecipeLine& edited = recipe_.lines[size_t(current_)];
  edited.quantityValue = converted;
  edited.shownQuantity = text.substr(0, store::kQuantityLength);
  editor_.quantity = edited.shownQuantity;
  return true;
}

long RecipeEdit::ingredientForBrand() {
  const long uid = tables_.ingredients.uidOfText(platform::trim(editor_.ingredientText));
  if (uid == 0) {
    user_.message("Wait!", "ASTERISK", toolkit::Buttons::Ok,
                  "You must enter an ingredient before you can specify a brand.");
  }
  return uid;
}

}  // namespace savora::recipe
