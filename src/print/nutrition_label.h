// The Nutrition Facts label of analysis totals: drawn on a print, or as text for a text file.
#pragma once

#include <string>

#include "nutrition/nutrition_facts.h"
#include "print/page_writer.h"

namespace savora::print {

// The label's text form, from its "\n\nNUTRITION FACTS\n" heading to the footnote, then the
// line naming the foods left out of the totals, when any were.
std::string nutritionLabelText(const nutrition::NutritionFacts& facts);

// Draws the label from the left edge, starting two lines down, with a rule under every line;
// leaves the pen below the footnote. The label moves to the next page whole when it would not
// fit below. The foods left out of the totals are named below the footnote.
void printNutritionLabel(PageWriter& pen, const nutrition::NutritionFacts& facts);

}  // namespace savora::print
