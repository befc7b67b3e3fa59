// The mark an import keeps in the program folder while it runs: the file it imports and the
// first book, chapter and recipe identifiers it can give out. An import that ends in any
// ordinary way (done, refused, failed, unwound by an error) removes it; finding it means the
// last import was killed part way, and its recipes are the ones from those identifiers on, since
// identifiers are only ever given out upwards and the folder lock keeps every other writer out.
#pragma once

#include <optional>
#include <string>

#include "exchange/shelf_pass.h"
#include "toolkit/user.h"

namespace savora::exchange {

inline constexpr const char* kImportRunMark = "import.run";

struct ImportRunMark {
  std::string file;
  long firstBook = 0;
  long firstChapter = 0;
  long firstRecipe = 0;
};

// Writes the mark for an import of `file` into `shelf` that starts now; false when it cannot.
bool markImportRun(const std::string& file, UserShelf shelf);
void clearImportRunMark();
std::optional<ImportRunMark> readImportRunMark();

// The recipes an interrupted import left on the shelf.
long recipesLeftBy(const ImportRunMark& mark, store::RecipeTable& recipes);
// Deletes what the interrupted import added: its recipes (out of menus and categories too), and
// the chapters and books it created.
void removeWhatWasLeft(const ImportRunMark& mark, UserShelf shelf);

// Run before an import and at the program's start: when the last import was cut short, says
// so and asks whether to remove the recipes it imported or keep them; then forgets the mark.
// `canAsk` false (the command line) keeps them and only says so.
void settleInterruptedImport(toolkit::User& user, UserShelf shelf, bool canAsk);

}  // namespace savora::exchange
