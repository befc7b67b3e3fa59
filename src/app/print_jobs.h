// The prints the program's windows start: each becomes a print job handed to the print set-up,
// which starts from the kept print settings and keeps what the person changes.
#pragma once

#include <string>
#include <vector>

#include "app/program.h"
#include "print/print_setup_window.h"
#include "recipe/recipe_tables.h"
#include "store/recipe.h"

namespace savora::app {

// Opens PRINT_SETUP for the job.
void openPrintSetup(print::PrintJob job, Settings& settings, toolkit::User& user);

// A recipe, or a list of recipes, printed or written as text.
print::PrintJob recipesJob(print::PrintKind kind, recipe::RecipeTables tables,
                           toolkit::User& user, std::vector<store::Recipe> recipes);
// A window's title and text (an information window), printed as a text page.
print::PrintJob textPageJob(std::string title, std::string text);

}  // namespace savora::app
