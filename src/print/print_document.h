// What menus, year menus and shopping lists print: a title, then groups (the days of a menu, the
// food groups of a shopping list) each with its items, and for a shopping list the totals for its
// label. The window takes it as it is when the print is asked for; printing and the text file do
// the rest the same way for all.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "nutrition/nutrition_facts.h"
#include "print/page_writer.h"

namespace savora::print {

struct PrintGroup {
  std::string heading;  // "Sunday", or a food group's name
  std::vector<std::string> items;
};

struct PrintDocument {
  std::string title;
  std::vector<PrintGroup> groups;
  // Shopping lists indent their group headings ("     %s") and write items as they are; menus
  // write the day names as they are and indent the items.
  bool indentHeadings = false;
  std::optional<nutrition::NutritionFacts> totals;  // a label to add when print nutrition is on
};

// The seven day names a menu's groups are headed by, Sunday first.
inline constexpr const char* kDayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                             "Thursday", "Friday", "Saturday"};

// Prints the title centred in the title font, one or two lines down (reduce space), then each
// group's heading and items; a new page begins when the next line would not fit. Sheet modes
// with print nutrition add the label of the totals.
void printDocument(PageWriter& pen, const PrintDocument& document);
// The text form: the same lines, each followed by "\n", and the label text when asked.
std::string documentText(const PrintDocument& document, bool withLabel);

// A text page (a window's title and text): the title centred, the text word-wrapped below.
void printTextPage(PageWriter& pen, const std::string& title, const std::string& text);
std::string textPageText(const std::string& title, const std::string& text);

}  // namespace savora::print
