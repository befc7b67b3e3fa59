#include "planning/shopping_list.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>

#include "food/brand_table.h"
#include "food/food_group_table.h"
#include "food/ingredient_table.h"
#include "food/quantity.h"
#include "food/unit_names.h"
#include "food/unit_table.h"
#include "planning/week_table.h"
#include "store/recipe_table.h"
#include "toolkit/user.h"

namespace savora::planning {

namespace {

using nutrition::AnalysisItem;
using nutrition::AnalysisList;
using nutrition::AnalysisModes;
using Kind = recipe::IngredientTarget::Kind;

std::string printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

std::string cut(std::string text, size_t length) {
  if (text.size() > length) text.resize(length);
  return text;
}

constexpr const char* kNotCategorized = "Not Categorized";
constexpr const char* kPantryItems = "Pantry Items";
constexpr const char* kMiscellaneous = "Miscellaneous";
constexpr const char* kOwnItemIndent = "     ";

}  // namespace

std::string shoppingNumber(double value) {
  if (value == 0) return "";
  std::string text = printed(value < 1 ? "%.3f" : value < 5 ? "%.1f" : "%.0f", value);
  if (text.find('.') != std::string::npos) {
    text.erase(text.find_last_not_of('0') + 1);
    if (text.back() == '.') text.pop_back();
  }
  if (text.size() > 1 && text[0] == '0') text.erase(0, 1);
  return text;
}

std::string nutrientText(double value, bool analyzed) {
  if (!analyzed) return "*";
  if (value * 100 <= 1) return "";
  return printed(value <= 2 ? "%.2f" : value <= 20 ? "%.1f" : "%.0f", value);
}

double roundToPackages(double amount, double package) {
  if (amount == 0) return 0;
  if (amount < package) return package;
  const double wholes = std::floor(amount / package);
  const double remainder = amount - wholes * package;
  if (remainder <= 0) return amount;
  return remainder < 0.1 ? wholes * package : (wholes + 1) * package;
}

double packageCost(const food::BrandInfo& brand, double amount) {
  // An amount that did not convert (-1) is unknown, not one package.
  if (amount <= 0 || brand.empty()) return 0;
  double package = food::parseQuantity(brand.packageSize);
  if (package <= 0) package = 1;
  const double paid = brand.divisible ? amount : roundToPackages(amount, package);
  return paid / package * brand.price;
}

std::string oneLine(std::string_view text) {
  std::string line(text);
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
  return line;
}

ShoppingList::ShoppingList(ShoppingTables tables, toolkit::User& user, ShoppingSettings settings)
    : tables_(tables), user_(user), settings_(settings) {}

bool ShoppingList::takesLine(const store::RecipeLine& line, bool excludePerishables) const {
  const bool only = kind_ == ShoppingSourceKind::Menu && settings_.onlyPerishables;
  const bool exclude = kind_ == ShoppingSourceKind::Plan && excludePerishables;
  if (!only && !exclude) return true;
  const recipe::IngredientTarget target = recipe::decodeIngredientCode(line.ingredient);
  food::BrandInfo brand;
  if (target.kind == Kind::Brand) brand = tables_.recipe.brands.information(target.uid);
  if (target.kind == Kind::Ingredient)
    brand = tables_.recipe.ingredients.defaultPackage(target.uid, tables_.recipe.brands);
  if (brand.empty()) return true;  // lines without brand information are never filtered
  const bool perishable = tables_.groups.perishableOf(brand.group);
  return only ? perishable : !perishable;
}

AnalysisModes ShoppingList::modes(bool excludePerishables) const {
  AnalysisModes m;
  m.mode = AnalysisModes::Mode::ShoppingList;
  m.multiplier = settings_.multiplier;
  m.servingsSetting = settings_.servings;
  m.adjustServings = settings_.adjustServings;
  m.divideNutrients = settings_.divideNutrients;
  // A recipe's list is one day's food, so its nutrients are per serving from the first build.
  m.dayDivisor = kind_ == ShoppingSourceKind::Recipe ? 1 : std::max(1L, settings_.daysInMenu);
  m.takesLine = [this, excludePerishables](const store::RecipeLine& line) {
    return takesLine(line, excludePerishables);
  };
  m.groupOrderOf = [this](long group) { return tables_.groups.orderOf(group); };
  return m;
}

void ShoppingList::addByUid(AnalysisList& list, long uid) {
  store::Recipe recipe;
  if (tables_.recipe.recipes.load(uid, recipe) == 0 && recipe.uid == 0) return;
  recipe.uid = uid;
  toolkit::statusWindow(user_, "Analyzing", "Analyzing %s", recipe.name.c_str());
  list.addRecipeLines(recipe, true);
}

void ShoppingList::build(const ShoppingSource& source) {
  toolkit::StatusScope status(user_, "Shopping List", "Generating Shopping List");
  kind_ = source.kind;
  items_.clear();
  rows_.clear();
  totals_.fill(0);
  totalCost_ = 0;
  analyzedCount_ = 0;
  units_ = tables_.recipe.units.conversionList();

  // The analysis list takes one filter for its life; a plan's first menu is added with
  // perishables taken and the rest with the user's choice, through the flag the filter reads.
  bool excludeNow = settings_.excludePerishables;
  AnalysisModes m = modes(false);
  m.takesLine = [this, &excludeNow](const store::RecipeLine& line) {
    return takesLine(line, excludeNow);
  };
  AnalysisList list(tables_.recipe, user_, std::move(m));
  switch (source.kind) {
    case ShoppingSourceKind::Recipe:
      list.addRecipeLines(source.recipe, true);
      break;
    case ShoppingSourceKind::Menu:
      for (const auto& day : source.days)
        for (long uid : day) addByUid(list, uid);
      break;
    case ShoppingSourceKind::Plan: {
      bool first = true;
      for (const auto& month : source.months) {
        for (long menu : month) {
          if (!tables_.weeks) break;
          excludeNow = first ? false : settings_.excludePerishables;
          first = false;
          for (const ListItem& entry : tables_.weeks->entriesOf(menu))
            addByUid(list, entry.reference);
        }
      }
      break;
    }
  }
  list.completeItemsAndTotal();
  items_ = list.items();
  totals_ = list.totals();
  analyzedCount_ = list.analyzedCount();

  // Items of one food group keep the order in which they were first met.
  std::stable_sort(items_.begin(), items_.end(), [](const AnalysisItem& a, const AnalysisItem& b) {
    return a.groupOrder < b.groupOrder;
  });

  toolkit::statusWindow(user_, "Shopping List", "Compiling Ingredient Information");
  for (size_t i = 0; i < items_.size(); ++i) {
    rows_.push_back(rowOf(long(i)));
    totalCost_ += rows_.back().cost;
  }
  appendNewItemRow();
}

food::BrandInfo ShoppingList::brandOf(const AnalysisItem& item) {
  if (item.brand != 0) return tables_.recipe.brands.information(item.brand);
  if (item.ingredient == 0) return {};
  return tables_.recipe.ingredients.defaultPackage(item.ingredient, tables_.recipe.brands);
}

std::string ShoppingList::amountText(const AnalysisItem& item, const food::BrandInfo& brand) {
  food::UnitTable& unitTable = tables_.recipe.units;
  // The unit is plural when the amount as shown is above 1 ("1 cup" for 1.1 cups shown as 1).
  const auto withUnit = [&](double amount, long unit, std::string number) {
    const bool plural =
        food::parseQuantity(number) > 0 ? food::isPluralQuantity(number) : amount > 1;
    const std::string name = food::unitFullNameForPlural(unitTable, plural, unit);
    return name.empty() ? number : number + " " + name;
  };
  if (item.lineUnit == 0) return shoppingNumber(item.lineAmount);

  const long x = item.itemUnit != 0 || brand.empty() ? item.itemUnit : brand.packageUnit;
  const long lineType = units_.typeOf(item.lineUnit);
  if (((x == 0 || item.amount == -1) && item.lineAmount != 0) ||
      (lineType >= 0 && units_.typeOf(x) == lineType)) {
    double amount = item.lineAmount;
    long unit = item.lineUnit;
    const std::string shown = food::presentQuantity(units_, amount, unit);
    return withUnit(amount, unit, shown.empty() ? printed("%.4f", amount) : shown);
  }

  double amount = item.amount;
  long unit = x;
  if (!unitTable.plainUnit(x)) {
    unit = unitTable.firstPlainUnitOfType(units_.typeOf(x));
    const float converted = units_.convert(float(item.amount), x, unit);
    if (converted <= 0) return withUnit(0, unit, "?");
    amount = converted;
  }
  std::string shown = food::presentQuantity(units_, amount, unit);
  if (shown.empty()) shown = printed("%.4f", amount);
  return withUnit(amount, unit, shown);
}

std::string ShoppingList::storeLocationOf(const AnalysisItem& item, const food::BrandInfo& brand) {
  if (item.amount == 0)
    return tables_.groups.findByName(kPantryItems) ? kPantryItems : kNotCategorized;
  const std::string group = brand.empty() ? "" : tables_.groups.nameOf(brand.group);
  return group.empty() ? kNotCategorized : cut(group, kStoreLocationLength);
}

ShoppingRow ShoppingList::rowOf(long index) {
  const AnalysisItem& item = items_[size_t(index)];
  const food::BrandInfo brand = brandOf(item);
  ShoppingRow row;
  row.item = index;
  row.brand = brand.uid;
  row.ingredient = item.ingredient != 0 ? item.ingredient
                   : item.brand != 0    ? tables_.recipe.brands.ingredientOf(item.brand)
                                        : 0;
  row.name = cut(oneLine(tables_.recipe.ingredients.nameForPluralFlag(row.ingredient, true)),
                 kShoppingNameLength);
  row.amount = amountText(item, brand);
  row.storeLocation = storeLocationOf(item, brand);
  if (item.amount != 0) {
    row.cost = packageCost(brand, item.amount);
    row.price = row.cost > 0 ? printed("$%.2f", row.cost) : "$?.??";
  }
  for (int n = 0; n < food::kNutrientCount; ++n)
    row.nutrients[size_t(n)] = nutrientText(item.nutrients[size_t(n)], item.analyzed);
  return row;
}

void ShoppingList::appendNewItemRow() {
  ShoppingRow row;
  row.amount = kNewItemText;
  rows_.push_back(row);
}

std::string ShoppingList::costText() const {
  return settings_.showPrices ? printed("Total Cost: $%.2f", totalCost_) : "";
}

std::string ShoppingList::accuracyText() const {
  const double percent = double(analyzedCount_) * 100 / double(std::max<size_t>(1, items_.size()));
  std::string text = printed("Accuracy: %.0f%%", percent);
  if (percent != 100) text += "        *unable to compute";
  return text;
}

std::string ShoppingList::amountOf() const {
  const bool forEveryone = settings_.adjustServings && !settings_.divideNutrients;
  if (kind_ == ShoppingSourceKind::Recipe)
    return forEveryone ? "Amount For Everyone" : nutrition::kAmountPerServing;
  return forEveryone ? "Amount Per Day" : "Amount Per Person Per Day";
}

std::vector<std::string> ShoppingList::panelLines() const {
  using namespace food;
  const auto& t = totals_;
  const auto line = [](const char* format, double total, double percent) {
    return printed(format, total) + printed("  %.0f%%", percent);
  };
  return {
      amountOf(),
      line("Calories %.0f", t[kCalories], t[kCalories] * 100 / 2000),
      line("Calories From Fat %.0f", t[kCaloriesFromFat],
           t[kCaloriesFromFat] * 0.0005 * 0.3 * 1000),
      line("Total Fat %.0fg", t[kTotalFat], t[kTotalFat] * 100 / 65),
      line("Saturated Fat %.0fg", t[kSaturatedFat], t[kSaturatedFat] * 100 / 20),
      line("Cholesterol %.0fmg", t[kCholesterol], t[kCholesterol] * 100 / 300),
      line("Sodium %.0fmg", t[kSodium], t[kSodium] * 100 / 2400),
      line("Total Carbohydrates %.0fg", t[kTotalCarbohydrate], t[kTotalCarbohydrate] * 100 / 300),
      line("Fiber %.0fg", t[kDietaryFiber], t[kDietaryFiber] * 100 / 25),
      printed("Sugars %.0fg", t[kSugars]),
      line("Protein %.0fg", t[kProtein], t[kProtein] * 100 / 55),
      printed("Vitamin A %.0f%%", t[kVitaminA]) + printed("  *  Vitamin C %.0f%%", t[kVitaminC]),
      printed("Calcium %.0f%%", t[kCalcium]) + printed("  *  Iron %.0f%%", t[kIron]),
  };
}

void ShoppingList::setHaveIt(size_t row, bool have) {
  if (row >= rows_.size() || rows_[row].isNewItemRow() || rows_[row].haveIt == have) return;
  rows_[row].haveIt = have;
  totalCost_ += have ? -rows_[row].cost : rows_[row].cost;
}

bool ShoppingList::addOwnItem(std::string_view text) {
  std::string name = oneLine(text);
  name.erase(0, name.find_first_not_of(' '));
  name.erase(name.find_last_not_of(' ') + 1);
  if (name.empty()) return false;
  if (name.size() > kOwnItemLength) name.resize(kOwnItemLength);
  ShoppingRow& row = rows_.back();
  row = ShoppingRow{};
  row.name = name;
  row.storeLocation = kMiscellaneous;
  appendNewItemRow();
  return true;
}

bool ShoppingList::renameOwnItem(size_t row, std::string_view text) {
  if (row >= rows_.size() || !rows_[row].isOwnItem()) return false;
  std::string name = oneLine(text);
  name.erase(0, name.find_first_not_of(' '));
  name.erase(name.find_last_not_of(' ') + 1);
  if (name.empty()) return false;
  if (name.size() > kOwnItemLength) name.resize(kOwnItemLength);
  // The typed text is the item's name everywhere: on the list, in the text export and handheld.
  rows_[row].name = name;
  return true;
}

void ShoppingList::recomputeItem(size_t rowIndex) {
  if (rowIndex >= rows_.size() || rows_[rowIndex].item < 0) return;
  ShoppingRow& row = rows_[rowIndex];
  AnalysisItem& item = items_[size_t(row.item)];

  // The item's line, with its line amount as quantity, runs through the analysis alone; its
  // nutrients come off the totals and the new ones go on, divided as the whole list was.
  AnalysisModes m = modes(false);
  m.multiplier = 1;
  m.adjustServings = false;
  AnalysisList alone(tables_.recipe, user_, std::move(m));
  store::Recipe recipe;
  auto& line = recipe.lines[0];
  line.quantity = printed("%.6g", item.lineAmount);
  line.unit = item.lineUnit;
  line.ingredient = recipe::encodeIngredientCode(
      item.ingredient != 0 ? recipe::IngredientTarget{Kind::Ingredient, item.ingredient}
                           : recipe::IngredientTarget{Kind::Brand, item.brand});
  alone.addRecipeLines(recipe, true);
  alone.completeItemsAndTotal();

  const nutrition::Totals before = alone.contributionOf(item);
  if (item.analyzed) --analyzedCount_;
  AnalysisItem fresh = alone.items().empty() ? AnalysisItem{} : alone.items()[0];
  fresh.lineAmount = item.lineAmount;
  fresh.servingAmount = item.servingAmount;
  fresh.lineUnit = item.lineUnit;
  if (alone.items().empty()) fresh.amount = 0;
  item = fresh;
  const nutrition::Totals after = alone.contributionOf(item);
  for (size_t n = 0; n < totals_.size(); ++n) totals_[n] += after[n] - before[n];
  if (item.analyzed) ++analyzedCount_;

  const bool have = row.haveIt;
  if (!have) totalCost_ -= row.cost;
  row = rowOf(row.item);
  row.haveIt = have;
  if (!have) totalCost_ += row.cost;
}

std::string ShoppingList::exportText() const {
  std::string text = "Shopping List\r\n";
  std::string lastLocation;
  for (const ShoppingRow& row : rows_) {
    if (row.isNewItemRow()) continue;
    if (row.isOwnItem()) {
      text += oneLine(row.name) + "\r\n";
      continue;
    }
    if (row.haveIt) continue;
    if (row.storeLocation != lastLocation) {
      text += "\r\n" + std::string(kOwnItemIndent) + row.storeLocation + "\r\n";
      lastLocation = row.storeLocation;
    }
    text += row.name + "  -  " + row.amount + "\r\n";
  }
  return text;
}

print::PrintDocument shoppingListDocument(const ShoppingList& list) {
  print::PrintDocument doc;
  doc.title = "Shopping List";
  doc.indentHeadings = true;
  nutrition::NutritionFacts facts(list.totals());
  facts.amountOf = list.amountOf();
  doc.totals = facts;
  for (const ShoppingRow& row : list.rows()) {
    if (row.isNewItemRow() || (row.haveIt && !row.isOwnItem())) continue;
    const std::string heading = row.isOwnItem() ? kMiscellaneous : row.storeLocation;
    if (doc.groups.empty() || doc.groups.back().heading != heading)
      doc.groups.push_back({heading, {}});
    doc.groups.back().items.push_back(row.isOwnItem() ? row.name : row.name + "  -  " + row.amount);
  }
  return doc;
}

bool writeShoppingText(const std::string& path, const std::string& text, bool append) {
  std::ofstream file(path, std::ios::binary | (append ? std::ios::app : std::ios::trunc));
  if (!file) return false;
  file << text;
  return bool(file.flush());
}

}  // namespace savora::planning
