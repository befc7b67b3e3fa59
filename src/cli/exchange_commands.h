// The exchange commands of savora99-cli: importing exchange archives, recipe text files and
// web pages into the program folder, and writing a book export or a recipe text file, through
// the same importer and exporters as the windows. Every new unit and ingredient is added to the lists.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/shared_tables.h"
#include "book_export/text_export.h"

namespace savora::cli {

// Imports the files in order, telling per file how many recipes went into which book; stops at
// the first file that does not import (the importer's message names it, and for a text file
// the recipe and line). A web page's recipe photos are fetched with `fetchPhotos`. The exit
// status: 0 all imported, 1 otherwise.
int importFiles(const std::vector<std::string>& files, bool skipBadRecipes, bool fetchPhotos,
                store::TableStore& store, app::SharedTables& tables, std::ostream& out,
                std::ostream& err);

// Writes the book called `book` into an export archive; 0 done, 1 no such book or the archive
// could not be written.
int exportBookNamed(const std::string& book, const std::string& file, store::TableStore& store,
                    app::SharedTables& tables, std::ostream& out, std::ostream& err);

// Writes recipes into a Meal-Master or MasterCook text file: each of `sources` names a book
// ("Book"), a chapter ("Book/Chapter") or a recipe ("Book/Chapter/Name" or its UID), exported in
// that order. In the format's own character set, or UTF-8 with `utf8`. 0 done, 1 a name that
// names nothing, no recipes, or a file that could not be written.
int exportRecipesAsText(const std::vector<std::string>& sources, const std::string& file,
                        book_export::TextFormat format, bool utf8, store::TableStore& store,
                        app::SharedTables& tables, std::ostream& out, std::ostream& err);

}  // namespace savora::cli
