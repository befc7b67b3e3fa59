// The Nutrition Facts label of analysis totals: drawn on a print, or as text for a text file.
#pragma once

#include <string>

#include "nutrition/analysis_list.h"
#include "print/page_writer.h"

namespace savora::print {

// The label's text form, from its "\n\nNUTRITION FACTS\n" heading to the footnote.
std::string nutritionLabelText(const nutrition::Totals& totals);

// Draws the label from the left edge, starting two lines down, with a rule under every line;
// leaves the pen below the footnote. The label moves to the next page whole when it would not
// fit below.
void printNutritionLabel(PageWriter& pen, const nutrition::Totals& totals);

}  // namespace savora::print
