#include "planning/year_table.h"

#include "planning/week_table.h"

namespace savora::planning {

store::TableDefinition yearTableDefinition() {
  return namedListTableDefinition("year", kYearFields, "Compressing Plan Data...Please Wait.");
}

YearTable::YearTable(store::TableStore& store)
    : NamedListTable(store, yearTableDefinition(), kYearFields) {}

void connectPlans(WeekTable& weeks, YearTable& years) {
  weeks.removeFromPlans = [&years](long menu) { years.removeMenu(menu); };
}

}  // namespace savora::planning
