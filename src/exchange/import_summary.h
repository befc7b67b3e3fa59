// What an import did, for the user to read afterwards: the recipes added per book and chapter,
// the duplicates skipped, the recipes renamed, and the malformed recipes of a text file left out.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "bookshelf/book_table.h"
#include "bookshelf/chapter_table.h"
#include "recipe_formats/text_recipe.h"

namespace savora::exchange {

struct ImportSummary {
  std::map<long, int> addedByChapter;  // user chapter UID: recipes added
  int duplicatesSkipped = 0;
  int renamed = 0;
  std::vector<recipe_formats::TextParseError> badRecipes;
};

// One line per chapter ("Book / Chapter: n recipes added"), then the duplicates and renamed
// recipes, then each bad recipe with its number, title and line; lines end in "\r\n".
std::string importSummaryText(const ImportSummary& summary, bookshelf::BookTable& books,
                              bookshelf::ChapterTable& chapters);

}  // namespace savora::exchange
