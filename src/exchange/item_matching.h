// The decisions of the matching dialog (IMPORT_ITEM) without the dialog: it walks the exchange
// units (unit mode) or ingredients (ingredient mode) that the user's table lacks, one at a time,
// and applies the person's decision to each: add it to the user's list, replace it by one of the
// user's items (remembered for later imports), turn it into note text, or use the remembered
// decision. Closing before the end adds every remaining item.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "exchange/food_translation.h"
#include "exchange/memorized_table.h"

namespace savora::exchange {

enum class MatchMode { Units, Ingredients };

inline constexpr const char* kNotOnListText = "The replacement you entered is not on your list.";

// What the dialog shows of a remembered decision that can still be used.
struct MemorizedShown {
  // The user's unit or ingredient; for a unit without one "<nothing>" (dropped) or "<info>"
  // (turned into text).
  std::string replacement;
  std::string info1;
  std::string info2;
};

// The dialog's two check boxes: every item is added, or decided as remembered when it can be,
// without being shown.
struct AutomaticChoices {
  bool alwaysAdd = false;
  bool alwaysMemorize = false;
};

class ItemMatching {
 public:
  // Opens the memorized table (unit mode takes the maker's "unitzel" when the archive brought
  // one) and goes to the first item, deciding items at once as `choices` say; finished() at once
  // when nothing is left to ask.
  ItemMatching(store::TableStore& store, MatchMode mode, FoodTranslation& food,
               AutomaticChoices choices = {});
  ~ItemMatching();

  MatchMode mode() const { return mode_; }
  bool usesMakerTable() const { return makerTable_; }
  bool finished() const { return current_ == 0; }
  // The imported name of the current item.
  std::string itemName();
  // The remembered decision for the current item, when there is a usable one.
  std::optional<MemorizedShown> memorized();

  void addToList();
  // Replaces the current item by the user's item named `replacement` (ingredient mode: with the
  // info texts). False, after telling the user, when the replacement is not allowed.
  bool replace(const std::string& replacement, const std::string& info1 = "",
               const std::string& info2 = "");
  // Unit mode: the unit becomes note text. Ingredient mode: the name becomes the second note,
  // beside the first note `info1`.
  void makeText(const std::string& info1 = "");
  // Applies the remembered decision (nothing when there is none).
  void useMemorized();
  // The two check boxes: the current item and every later one is decided at once.
  void setAlwaysAdd(bool on);
  void setAlwaysMemorize(bool on);
  AutomaticChoices choices() const { return {alwaysAdd_, alwaysMemorize_}; }

  // The names of the user's units or ingredients in name order: what a replacement is chosen from.
  std::vector<std::string> userItemNames();

  // Adds every item not yet decided, then the closing work; the memorized table is closed and
  // the maker's table deleted. Safe to call more than once. Destroying the matching without it
  // adds nothing.
  void close();

 private:
  void store(long uid, const std::string& info1, const std::string& info2,
             const std::string& replacementName);
  void findNext();
  void advance();
  // True when an automatic decision was made for the current item.
  bool decideAutomatically();
  bool lacks(long uid);
  long uidOfUserItem(const std::string& name);
  std::string nameOfUserItem(long uid);

  store::TableStore& store_;
  MatchMode mode_;
  FoodTranslation& food_;
  std::unique_ptr<MemorizedTable> memory_;
  bool makerTable_ = false;
  bool alwaysAdd_ = false;
  bool alwaysMemorize_ = false;
  bool closing_ = false;  // adding every item left: the check boxes no longer apply
  bool closed_ = false;
  bool advancing_ = false;
  std::vector<long> order_;  // the exchange items in name order
  size_t position_ = 0;      // of the current item in order_; those before are decided
  long current_ = 0;
};

}  // namespace savora::exchange
