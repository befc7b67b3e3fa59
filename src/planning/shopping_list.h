// The shopping list: the ingredient lines of one recipe, of a menu's seven days or of a plan's
// twelve months merged by the analysis list in its shopping mode, with each food carried into
// the unit it is bought in, priced in whole packages, sorted by store location (food group order)
// and turned into rows of text; the user's own items, the have-it ticks and the text export.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "food/brand.h"
#include "nutrition/analysis_list.h"
#include "print/print_document.h"

namespace savora::food {
class FoodGroupTable;
}

namespace savora::planning {

class WeekTable;

enum class ShoppingSourceKind { Recipe, Menu, Plan };

// What the list is built from: the recipe window's edit buffer, a menu window's day lists
// (recipe UIDs, Sunday to Saturday) or a plan window's month lists (menu UIDs).
struct ShoppingSource {
  ShoppingSourceKind kind = ShoppingSourceKind::Recipe;
  store::Recipe recipe;
  std::array<std::vector<long>, 7> days;
  std::array<std::vector<long>, 12> months;
};

struct ShoppingSettings {
  long multiplier = 1;
  long daysInMenu = 7;  // nutrients per day of a menu or plan; a recipe's list is one day
  bool excludePerishables = false;  // plans: the first menu still buys them
  bool onlyPerishables = false;     // menus
  long servings = 1;
  bool adjustServings = false;
  bool divideNutrients = false;
  bool showPrices = true;
};

struct ShoppingTables {
  recipe::RecipeTables recipe;  // a bundle of references, kept by value
  food::FoodGroupTable& groups;
  WeekTable* weeks = nullptr;  // plans read their menus from it
};

inline constexpr const char* kNewItemText = "<new item>";
inline constexpr size_t kShoppingNameLength = 46;
inline constexpr size_t kStoreLocationLength = 241;
inline constexpr size_t kOwnItemLength = 80;

struct ShoppingRow {
  long item = -1;        // index into the sorted items; -1 for an own item or "<new item>"
  long ingredient = -1;  // -1 for an own item and "<new item>"
  long brand = 0;
  bool haveIt = false;
  std::string name;
  std::string amount;
  std::string storeLocation;
  std::string price;
  std::array<std::string, food::kNutrientCount> nutrients;
  double cost = 0;  // what the row adds to the total cost while not ticked

  bool isNewItemRow() const { return item == -1 && ingredient == -1 && amount == kNewItemText; }
  bool isOwnItem() const { return item == -1 && ingredient == -1 && !isNewItemRow(); }
};

// An amount without a unit: "" for 0, ".25", "2", "1.5", "12".
std::string shoppingNumber(double value);
// A row's nutrient text: "*" when not analyzed, "" for a trace, else two, one or no decimals.
std::string nutrientText(double value, bool analyzed);
// The amount to buy in whole packages of size `package`; a remainder under 0.1 is dropped.
double roundToPackages(double amount, double package);
// The cost of an amount in the brand's package unit: whole packages unless the brand is
// divisible; 0 when it cannot be priced.
double packageCost(const food::BrandInfo& brand, double amount);

class ShoppingList {
 public:
  ShoppingList(ShoppingTables tables, toolkit::User& user, ShoppingSettings settings);

  // Replaces items, rows and totals with those of the source; ticks and own items are lost.
  void build(const ShoppingSource& source);

  const std::vector<nutrition::AnalysisItem>& items() const { return items_; }
  const std::vector<ShoppingRow>& rows() const { return rows_; }
  double totalCost() const { return totalCost_; }
  const nutrition::Totals& totals() const { return totals_; }
  long analyzedCount() const { return analyzedCount_; }
  const ShoppingSettings& settings() const { return settings_; }
  void setSettings(const ShoppingSettings& settings) { settings_ = settings; }

  // "Total Cost: $%.2f"; empty when prices are not shown.
  std::string costText() const;
  // "Accuracy: 75%        *unable to compute".
  std::string accuracyText() const;
  // The nutrient panel's lines: what the totals are the amount of, then each total with its
  // label and its percent of the daily value.
  std::vector<std::string> panelLines() const;
  // What the totals are the amount of: per serving of the recipe (or per person when the list
  // adjusts it to its people and divides), per person per day for a menu or plan, or for
  // everyone when the list adjusts without dividing.
  std::string amountOf() const;

  // Ticks or clears Have It; the total cost loses or regains exactly what the row added.
  // The "<new item>" row is not changed.
  void setHaveIt(size_t row, bool have);
  // Adds an item of the user's own in place of the "<new item>" row; false for empty text.
  bool addOwnItem(std::string_view text);
  // Renames an item of the user's own; false for other rows or empty text.
  bool renameOwnItem(size_t row, std::string_view text);
  // Works one item out again after its ingredient was edited; its tick is kept.
  void recomputeItem(size_t row);

  // The text export: "Shopping List", then per store location its heading and its rows;
  // ticked ingredient rows are left out, own items always written. Lines end in CR LF.
  std::string exportText() const;

 private:
  nutrition::AnalysisModes modes(bool excludePerishables) const;
  bool takesLine(const store::RecipeLine& line, bool excludePerishables) const;
  void addRecipes(nutrition::AnalysisList& list, const ShoppingSource& source);
  void addByUid(nutrition::AnalysisList& list, long uid);
  ShoppingRow rowOf(long index);
  std::string amountText(const nutrition::AnalysisItem& item, const food::BrandInfo& brand);
  std::string storeLocationOf(const nutrition::AnalysisItem& item, const food::BrandInfo& brand);
  food::BrandInfo brandOf(const nutrition::AnalysisItem& item);
  void appendNewItemRow();

  ShoppingTables tables_;
  toolkit::User& user_;
  ShoppingSettings settings_;
  ShoppingSourceKind kind_ = ShoppingSourceKind::Recipe;
  food::ConversionList units_;
  std::vector<nutrition::AnalysisItem> items_;
  std::vector<ShoppingRow> rows_;
  nutrition::Totals totals_{};
  long analyzedCount_ = 0;
  double totalCost_ = 0;
};

// What printing takes from a list, as it is now: its rows under their store locations, ticked
// rows left out, own items under their own heading, and the nutrient totals for the label.
print::PrintDocument shoppingListDocument(const ShoppingList& list);

// Replaces tabs and line breaks by blanks, so no exported record is split.
std::string oneLine(std::string_view text);

// Writes the export text to a file, appending or replacing; false when it cannot be written.
bool writeShoppingText(const std::string& path, const std::string& text, bool append);

}  // namespace savora::planning
