// What the menu window and the plan window print: the menu's days with the names of their
// recipes, the plan's months with the names of their menus, read when the print is asked for.
#pragma once

#include <string>
#include <vector>

#include "print/print_document.h"

namespace savora::store {
class RecipeTable;
}

namespace savora::planning {

class NamedListTable;

// `days` holds the recipe UIDs of each day, Sunday first.
print::PrintDocument menuDocument(const std::string& menu,
                                  const std::vector<std::vector<long>>& days,
                                  store::RecipeTable& recipes);
// `months` holds the menu UIDs of each month, January first.
print::PrintDocument planDocument(const std::string& plan,
                                  const std::vector<std::vector<long>>& months,
                                  NamedListTable& menus);

}  // namespace savora::planning
