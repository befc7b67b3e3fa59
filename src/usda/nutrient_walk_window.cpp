#include "usda/nutrient_walk_window.h"

#include <memory>
#include <vector>

#include "food/unit_table.h"
#include "platform/text.h"
#include "usda/usda_foods_window.h"

namespace savora::usda {

using namespace savora::toolkit;

namespace {

struct Walk {
  User& user;
  KitchenTables tables;
  std::vector<NutrientGap> gaps;
  std::function<void()> changed;
  size_t next = 0;
  int given = 0;
};

void askNext(const std::shared_ptr<Walk>& walk) {
  if (walk->next == walk->gaps.size()) {
    walk->user.message("USDA Nutrients", "INFORMATION", Buttons::Ok,
                       platform::formatText("%d of %d foods took nutrients from USDA.", walk->given,
                                            int(walk->gaps.size())));
    return;
  }
  const NutrientGap gap = walk->gaps[walk->next++];
  UsdaFoodsRequest request;
  request.question = platform::formatText(
      "Line %d: %s has no nutrients yet (%d of %d). Use the food chosen below, choose another, "
      "or skip it.",
      gap.line + 1, gap.name.c_str(), int(walk->next), int(walk->gaps.size()));
  request.words = gap.name;
  if (gap.unit == 0) {
    request.line = LineMeasure::Items;
  } else if (walk->tables.units.type(gap.unit) == food::kVolumeUnit) {
    request.line = LineMeasure::Volume;
    request.unitName = walk->tables.units.readRecord(gap.unit).name;
  }
  request.chosen = [walk, gap](const Food& food) {
    giveUsdaNutrients(food, gap.ingredient, walk->tables);
    ++walk->given;
    if (walk->changed) walk->changed();
    askNext(walk);
  };
  request.skipped = [walk] { askNext(walk); };
  openUsdaFoods(walk->user, std::move(request));
}

}  // namespace

void walkNutrientGaps(User& user, KitchenTables tables, const store::Recipe& recipe,
                      std::function<void()> changed) {
  auto walk =
      std::make_shared<Walk>(Walk{user, tables, nutrientGaps(recipe, tables), std::move(changed)});
  if (walk->gaps.empty()) {
    user.message("USDA Nutrients", "INFORMATION", Buttons::Ok,
                 "Every food of this recipe has nutrients.");
    return;
  }
  askNext(walk);
}

}  // namespace savora::usda
