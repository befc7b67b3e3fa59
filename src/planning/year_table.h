// The plan table "year": named years, each month (0 ... 11) holding menus in order.
#pragma once

#include "planning/named_list_table.h"

namespace savora::planning {

class WeekTable;

inline constexpr int kMonthsInYear = 12;
inline constexpr NamedListFields kYearFields{"MONTH", "WEEK_UID", "WEEK_TAG"};

store::TableDefinition yearTableDefinition();

class YearTable : public NamedListTable {
 public:
  explicit YearTable(store::TableStore& store);

  // Deletes every entry of the menu in all plans (a menu was deleted).
  void removeMenu(long menu) { removeReference(menu); }
};

// Deleting a menu takes it out of every plan.
void connectPlans(WeekTable& weeks, YearTable& years);

}  // namespace savora::planning
