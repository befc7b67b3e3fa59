// What the windows print through. The program makes one print service and hands it, or the
// printers made from it, to every window that prints. The menu, plan and shopping-list windows
// build their print job (a value) and hand it over; the windows below printing (the recipe
// window, the bookshelf and its information window) cannot see this header and are handed the
// plain functions made here, which build the job for them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "print/print_job.h"
#include "print/print_settings.h"
#include "recipe/recipe_tables.h"
#include "store/recipe.h"

namespace savora::toolkit {
class User;
}

namespace savora::print {

class PrintService {
 public:
  virtual ~PrintService() = default;
  // The print settings kept between prints (PRINT_SETUP starts from them).
  virtual PrintSettings keptSettings() const = 0;
  // Opens the print set-up for the job: its OK prints the job, or writes its text form to a file.
  virtual void openSetup(PrintJob job) = 0;
};

// The recipe window's Print: the print set-up for the recipe as the window shows it.
std::function<void(const store::Recipe& recipe)> recipePrinter(std::shared_ptr<PrintService> service,
                                                               recipe::RecipeTables tables,
                                                               toolkit::User& user);

// The bookshelf's Print (the print set-up) and Export Text (a text file the person names, with
// labels when the kept settings print nutrition) of the listed recipes.
std::function<void(const std::vector<long>& recipes, bool asText)> listedRecipesPrinter(
    std::shared_ptr<PrintService> service, recipe::RecipeTables tables, toolkit::User& user);

// An information window's Print: its title and text as a text page.
std::function<void(const std::string& title, const std::string& text)> textPagePrinter(
    std::shared_ptr<PrintService> service);

}  // namespace savora::print
