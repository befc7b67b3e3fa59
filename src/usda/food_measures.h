// Choosing among a USDA food's household measures the ones a recipe line is weighed by: the
// volume measure of the form a cook pours or spoons (the fluid cup of cream, not the whipped
// one), the weight of one item (a medium potato, one leek), and the weight of a spoonful where the
// file gives its own rather than a share of the cup.
#pragma once

#include <string>
#include <string_view>

#include "usda/usda_food.h"

namespace savora::usda {

// The measure's volume word ("cup" for "cup, fluid (yields 2 cups whipped)"); empty when it is
// not a volume measure.
std::string_view volumeWordOf(const Measure& m);

// The measure a volume line converts through: of the first volume word the food has (cup,
// tablespoon, teaspoon, fluid ounce, pint, quart), the fluid or plain measure before one of a
// cut form ("chopped"), and a whipped or sifted one last. Null when there is none.
const Measure* volumeMeasure(const Food& food);

// A measure in a smaller spoon (teaspoon, else tablespoon) than `volume`, so that spoonfuls
// weigh what the file says they do and not a share of the cup; null when there is none.
const Measure* spoonMeasure(const Food& food, const Measure* volume);

// The weight of one item: the middle of the graded sizes ("small" ... "jumbo", also written after
// the food's name: "Potato medium (...)"), else a "whole", "each", "item" or "fruit", else a
// measure named by the food itself ("leek" for "Leeks, ..."). Null when there is none.
const Measure* itemMeasure(const Food& food);

// How a recipe line is measured, for what it needs of a food's measures.
enum class LineMeasure { Weight, Volume, Items };

// Says when the food has no weight for a line measured so ("cup", or empty for counted items)
// and offers the measures it has: "No USDA weight for a cup of this food. Its measures: 1 leek
// = 89 g; 1 slice = 6 g." Empty when it has the weight the line needs.
std::string missingWeightNote(const Food& food, LineMeasure line, std::string_view unitName);

}  // namespace savora::usda
