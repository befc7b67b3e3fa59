// The exchange commands of savora99-cli: importing exchange archives, MasterCook and
// Meal-Master files into the program folder, and writing a book export, through the same
// importer and exporter as the windows. Every new unit and ingredient is added to the lists.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/shared_tables.h"

namespace savora::cli {

// Imports the files in order, telling per file how many recipes went into which book; stops at
// the first file that does not import (the importer's message names it, and for a text file
// the recipe and line). The exit status: 0 all imported, 1 otherwise.
int importFiles(const std::vector<std::string>& files, bool skipBadRecipes,
                store::TableStore& store, app::SharedTables& tables, std::ostream& out,
                std::ostream& err);

// Writes the book called `book` into an export archive; 0 done, 1 no such book or the archive
// could not be written.
int exportBookNamed(const std::string& book, const std::string& file, store::TableStore& store,
                    app::SharedTables& tables, std::ostream& out, std::ostream& err);

}  // namespace savora::cli
