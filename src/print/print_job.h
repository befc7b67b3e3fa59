// A print as a value, made when the print is asked for and before any dialog opens: what is
// printed (recipes with their nutrition totals, a menu, plan or shopping list, or a text page),
// everything read from the tables then. The printed page, the PDF and the text form are all drawn
// from it: drawing opens no table and runs no analysis, however long the dialogs stay open.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "print/print_document.h"
#include "print/print_settings.h"
#include "print/printed_recipe.h"
#include "recipe/recipe_tables.h"
#include "store/recipe.h"
#include "toolkit/canvas.h"

namespace savora::toolkit {
class User;
}

namespace savora::print {

// A window's title and text (an information window).
struct TextPage {
  std::string title;
  std::string text;
};

struct PrintJob {
  PrintKind kind = PrintKind::Recipe;
  std::variant<std::vector<PrintedRecipe>, PrintDocument, TextPage> content;
  // The file name a PDF or text file is offered under; empty: named after its kind.
  std::string name;
};

// Recipes (kind Recipe or RecipeList) read now; with `analyse` each recipe's nutrition analysis
// runs once, here, for the label. A single recipe names the job.
PrintJob recipesJob(PrintKind kind, recipe::RecipeTables& tables, toolkit::User& user,
                    const std::vector<store::Recipe>& recipes, bool analyse = true);
// A menu, year menu or shopping list (named after its kind).
PrintJob documentJob(PrintKind kind, PrintDocument document);
PrintJob textPageJob(std::string title, std::string text);

// Draws the job and finishes the canvas; false when the canvas could not be finished (the printer
// or file failed). A list of recipes starts at the chosen card position and moves to the next
// card (cards) or sheet (sheets, unless two on a page) after each recipe. Labels print on sheets
// with print nutrition on.
bool drawJob(toolkit::Canvas& canvas, const PrintSettings& settings, const PrintJob& job);

// The job's text form; recipes one after another, each with its label when print nutrition is on.
std::string jobText(const PrintJob& job, const PrintSettings& settings);

}  // namespace savora::print
