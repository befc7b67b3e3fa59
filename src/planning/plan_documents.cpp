#include "planning/plan_documents.h"

#include <utility>

#include "planning/named_list_table.h"
#include "store/recipe_table.h"

namespace savora::planning {

namespace {

const char* const kMonthNames[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};

template <size_t N, class Table>
print::PrintDocument listsDocument(const std::string& title, const char* const (&headings)[N],
                                   const std::vector<std::vector<long>>& entries, Table& names) {
  print::PrintDocument document;
  document.title = title;
  for (size_t i = 0; i < N && i < entries.size(); ++i) {
    print::PrintGroup group{headings[i], {}};
    for (long uid : entries[i]) group.items.push_back(names.nameOf(uid));
    document.groups.push_back(std::move(group));
  }
  return document;
}

}  // namespace

print::PrintDocument menuDocument(const std::string& menu,
                                  const std::vector<std::vector<long>>& days,
                                  store::RecipeTable& recipes) {
  return listsDocument(menu, print::kDayNames, days, recipes);
}

print::PrintDocument planDocument(const std::string& plan,
                                  const std::vector<std::vector<long>>& months,
                                  NamedListTable& menus) {
  return listsDocument(plan, kMonthNames, months, menus);
}

}  // namespace savora::planning
