// The food group table ("cat"): the aisles of the shopping list, each with its place in the list
// and a perishable flag. Brands point at their group; deleting a group moves its brands to
// another group or to none.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "store/table_module.h"

namespace savora::food {

// Order given to a group that does not exist, so brands without a group sort last.
inline constexpr long kMissingGroupOrder = 1999;

struct FoodGroup {
  long uid = 0;
  std::string name;
  long order = 0;
  bool perishable = false;
};

store::TableDefinition foodGroupTableDefinition();

class FoodGroupTable : public store::TableModule {
 public:
  explicit FoodGroupTable(store::TableStore& store);

  // The groups in shopping-list order.
  std::vector<FoodGroup> groups();
  // Lookups: "" / 0 / 1999 / false when the group does not exist.
  std::string nameOf(long uid);
  long uidOf(std::string_view name);
  long orderOf(long uid);
  bool perishableOf(long uid);
  // True when a group of that name exists (ignoring case); it is then current.
  bool findByName(std::string_view name);

  // Adds a group at the end of the list; returns its UID.
  long add(std::string_view name, bool perishable);
  // Adds a group under a given UID (imports keep the identifiers they map).
  long addWithUid(long uid, std::string_view name, bool perishable);
  // Renames a group and stores its perishable flag; false when there is no such group.
  bool rename(std::string_view name, std::string_view newName, bool perishable);
  // The two groups exchange their places in the list.
  bool swapOrder(std::string_view first, std::string_view second);
  // Deletes a group; its brands move to the replacement group, or to none.
  bool remove(std::string_view name, std::optional<std::string> replacement);

  // Moves every brand of one group to another (0: none). The brand table fills it.
  std::function<void(long fromGroup, long toGroup)> moveBrands;

 private:
  long highest(const char* field, const char* tag);
};

}  // namespace savora::food
