// The prints the program's windows start: each becomes a print job handed to the print set-up,
// which starts from the kept print settings and keeps what the person changes.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "app/settings.h"
#include "print/print_setup_window.h"
#include "print/print_source.h"
#include "recipe/recipe_tables.h"
#include "store/recipe.h"

namespace savora::app {

// Opens PRINT_SETUP for the job.
void openPrintSetup(print::PrintJob job, Settings& settings, toolkit::User& user);

// A recipe, or a list of recipes, printed or written as text.
print::PrintJob recipesJob(print::PrintKind kind, recipe::RecipeTables tables, toolkit::User& user,
                           std::vector<store::Recipe> recipes);
// A menu, year menu or shopping list, through the document its print source gives.
print::PrintJob documentJob(print::PrintKind kind, std::shared_ptr<print::PrintSource> source);
// A window's title and text (an information window), printed as a text page.
print::PrintJob textPageJob(std::string title, std::string text);

}  // namespace savora::app
