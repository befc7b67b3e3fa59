// The import of an exchange archive as a chain of steps. A window runs one step per posted
// event (so it stays responsive) and checks its check list as steps end; tests and tools run the
// steps in a loop. The run owns the exchange scratch files from start to end: they are deleted
// when the import is destroyed, however the chain ended.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "exchange/exchange_scratch.h"
#include "exchange/food_translation.h"
#include "exchange/import_summary.h"
#include "exchange/item_matching.h"
#include "exchange/shelf_pass.h"
#include "exchange/text_recipe_format.h"
#include "planning/week_table.h"

namespace savora::exchange {

inline constexpr const char* kDecompressFailedText = "Unable to decompress exported file.";
inline constexpr const char* kImportedText = "The recipes have been imported successfully.";
inline constexpr const char* kSkipBadTitle = "Import the Rest?";
inline constexpr const char* kSkipBadText =
    "Would you like to import the other recipes of the file\r\nwithout the ones that cannot be "
    "read?";
inline constexpr const char* kNothingFoundTitle = "Nothing Found";
inline constexpr const char* kNothingFoundText =
    "No recipes were found in\r\n%s.\r\nNothing was imported.";
inline constexpr const char* kFinishedStatus = "Finished Importing";

// The user's tables an import merges into.
struct ImportTargets {
  UserFood food;
  UserShelf shelf;
  planning::WeekTable& menus;
};

// What becomes of the units and ingredients of an archive that the user's tables lack.
enum class NewItems {
  AddAll,  // every one is added to the user's lists (runs without a person to ask)
  Ask,     // the matching dialog asks about each; the chain waits for it (see waitingMatching)
};

struct ImportOptions {
  NewItems newItems = NewItems::AddAll;
  // A recipe file's malformed recipes are left out and the rest imported (they are named in
  // the summary). Without it the person is asked; where nobody can answer, nothing is imported.
  bool skipBadRecipes = false;
  // Fetches the photos of a web page's recipes; without it they come without photos.
  PhotoFetcher fetchPhoto;
};

enum class ImportStep {
  Extract,
  Units,          // starts matching the units
  Ingredients,    // ends matching the units, starts matching the ingredients
  RecipePass,     // ends matching the ingredients, opens the recipe pass
  CataloguePass,  // opens the catalogue pass
  Book,           // imports one book with its chapters and recipes
  Finish,         // closes and deletes the exchange files
  Announce,       // tells the user the import succeeded
  Done,           // the chain ended (successfully or not): close the window
};

class ExchangeImport {
 public:
  // Starts an import of `path`: nothing (after telling the user) while another exchange run
  // holds the scratch files. The file is known to exist.
  static std::unique_ptr<ExchangeImport> start(store::TableStore& store, ImportTargets targets,
                                               std::string path, ImportOptions options = {});
  ~ExchangeImport();

  // Runs one step and returns the next one.
  ImportStep run(ImportStep step);
  // Runs the whole chain.
  void runAll();

  // The matching of the Units or Ingredients step, while it is open: a dialog shows it and
  // posts the next step when it closes. Whatever it left undecided is added to the user's list
  // when the next step starts.
  ItemMatching* matching() { return matching_.get(); }
  // The matching the person has to answer before the next step may run: only when asking
  // (NewItems::Ask) and items are left that the dialog's check boxes did not decide.
  ItemMatching* waitingMatching();

  // The check-list entries (1 to 6) that the last step completed.
  const std::vector<int>& completedFields() const { return completedFields_; }
  bool succeeded() const { return succeeded_; }
  const std::string& path() const { return path_; }
  // The book imported last and the first chapter of the import: the bookshelf shows them.
  long lastBook() const { return lastBook_; }
  long firstChapter() const { return firstChapter_; }
  // What the import did so far: recipes per chapter, duplicates, renamed and malformed recipes.
  const ImportSummary& summary() const { return summary_; }
  std::string summaryText();

 private:
  ExchangeImport(store::TableStore& store, ImportTargets targets, std::string path,
                 ImportOptions options, std::unique_ptr<ExchangeScratch> scratch);
  // Reads the file into the exchange tables and checks there is something to import, and room.
  ImportStep extract();
  // Starts matching in `mode`: the unit dialog's check boxes carry over to the ingredients.
  void openMatching(MatchMode mode);
  ImportStep openPass(const PassTables& tables, bool catalogue);
  ImportStep nextBook();
  // Ends the matching of units or ingredients: what it left undecided is added.
  void closeMatching();
  void closeExchangeTables();

  store::TableStore& store_;
  ImportTargets targets_;
  std::string path_;
  ImportOptions options_;
  std::unique_ptr<ExchangeScratch> scratch_;
  std::unique_ptr<food::UnitTable> xUnits_;
  std::unique_ptr<food::IngredientTable> xIngredients_;
  std::unique_ptr<food::BrandTable> xBrands_;
  std::unique_ptr<FoodTranslation> food_;
  std::unique_ptr<ItemMatching> matching_;
  std::unique_ptr<ShelfPass> pass_;
  bool cataloguePass_ = false;
  std::vector<int> completedFields_;
  bool succeeded_ = false;
  ImportSummary summary_;
  long lastBook_ = 0;
  long firstChapter_ = 0;
};

}  // namespace savora::exchange
