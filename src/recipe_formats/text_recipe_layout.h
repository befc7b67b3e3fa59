// What the Meal-Master and MasterCook writers share: cutting text into lines at blanks, the
// directions block both readers join back the same way (see DirectionsText), and a line's note
// without the separator another format put in front of it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace savora::recipe_formats {

// The hard-break code that ends a directions line inside a paragraph.
inline constexpr char kHardBreakCode = 0x14;

// The text cut at blanks into lines of at most `firstWidth` (the first) and `width` characters
// (the others); a word longer than a line is cut. No line starts with a character of
// `noBreakBefore` when a break point elsewhere fits. Runs of blanks at a break point go.
std::vector<std::string> wrapWords(std::string_view text, size_t firstWidth, size_t width,
                                   std::string_view noBreakBefore = "");

// The instructions as directions lines, each paragraph wrapped at `width` after `indent`: an
// empty line stands between paragraphs, and a line break inside a paragraph ends its line with
// the hard-break code, so the readers give back the text as it was.
std::vector<std::string> directionLines(std::string_view instructions, std::string_view indent,
                                        size_t width);

// A line's second note without a leading ";", "--" or "," and blanks: each format writes its
// own separator in front of it.
std::string_view preparationText(std::string_view note);

}  // namespace savora::recipe_formats
