#include "exchange/exchange_import.h"

#include "archive/codes.h"
#include "exchange/archive_extract.h"
#include "exchange/import_run_mark.h"
#include "exchange/menu_merge.h"
#include "exchange/text_recipe_format.h"
#include "platform/log.h"
#include "platform/text.h"
#include "xbase/error.h"
#include "xbase/table.h"

namespace savora::exchange {
namespace {

constexpr long kMostRecipes = 99999;
constexpr const char* kTooManyRecipesText =
    "%s\r\nholds %ld recipes. With the %ld recipes you have, that is more than the %ld\r\n"
    "one recipe table can number. Nothing was imported.";

// The recipes the unpacked archive holds, in every recipe table either pass reads.
long archiveRecipeCount() {
  long count = 0;
  for (const PassTables* pass : {&recipePassTables(), &cataloguePassTables()}) {
    std::vector<std::string> names = {pass->recipes};
    for (const OldRecipeTable& old : pass->oldRecipes) names.push_back(old.name);
    for (const std::string& name : names) {
      xbase::OpenOptions options;
      options.readOnly = true;
      options.tolerateBadIndex = true;
      std::unique_ptr<xbase::Table> table = xbase::Table::open(name, options);
      if (!table) continue;
      for (uint32_t record = 1; record <= table->recordCount(); ++record) {
        if (table->go(record) && !table->deleted()) ++count;
      }
    }
  }
  return count;
}

std::string extractFailureText(int code, const std::string& path) {
  switch (code) {
    case archive::kErrorDiskFull:
    case archive::kErrorInsufficientSpace:
      return platform::formatText(
          "There is not enough free disk space to import\r\n%s.\r\nNothing was imported.",
          path.c_str());
    case archive::kErrorEntryTooLarge:
      return platform::formatText(
          "%s\r\nholds a file larger than any recipe table can be.\r\nNothing was imported.",
          path.c_str());
    default:
      return kDecompressFailedText;
  }
}

}  // namespace

std::unique_ptr<ExchangeImport> ExchangeImport::start(store::TableStore& store,
                                                      ImportTargets targets, std::string path,
                                                      ImportOptions options) {
  std::unique_ptr<ExchangeScratch> scratch = ExchangeScratch::begin(store.user());
  if (!scratch) return nullptr;
  markImportRun(path, targets.shelf);
  return std::unique_ptr<ExchangeImport>(
      new ExchangeImport(store, targets, std::move(path), options, std::move(scratch)));
}

ExchangeImport::ExchangeImport(store::TableStore& store, ImportTargets targets, std::string path,
                               ImportOptions options, std::unique_ptr<ExchangeScratch> scratch)
    : store_(store),
      targets_(targets),
      path_(std::move(path)),
      options_(options),
      scratch_(std::move(scratch)) {}

ExchangeImport::~ExchangeImport() {
  try {
    closeExchangeTables();
  } catch (const std::exception& error) {
    // An import cut short by an error is being unwound; that error is the one reported. The
    // scratch files go with scratch_ either way.
    platform::logFailure(std::string("closing the exchange tables: ") + error.what());
  }
  clearImportRunMark();
}

ItemMatching* ExchangeImport::waitingMatching() {
  if (options_.newItems != NewItems::Ask || !matching_ || matching_->finished()) return nullptr;
  return matching_.get();
}

void ExchangeImport::openMatching(MatchMode mode) {
  const AutomaticChoices carried = matching_ ? matching_->choices() : AutomaticChoices{};
  closeMatching();
  matching_ = std::make_unique<ItemMatching>(store_, mode, *food_, carried);
  if (options_.newItems == NewItems::AddAll) closeMatching();
}

void ExchangeImport::closeMatching() {
  if (matching_) matching_->close();
  matching_.reset();
}

void ExchangeImport::closeExchangeTables() {
  matching_.reset();
  pass_.reset();
  food_.reset();
  for (store::TableModule* table : {static_cast<store::TableModule*>(xBrands_.get()),
                                    static_cast<store::TableModule*>(xIngredients_.get()),
                                    static_cast<store::TableModule*>(xUnits_.get())}) {
    if (table) table->close();
  }
  xBrands_.reset();
  xIngredients_.reset();
  xUnits_.reset();
}

ImportStep ExchangeImport::run(ImportStep step) {
  completedFields_.clear();
  switch (step) {
    case ImportStep::Extract:
      return extract();
    case ImportStep::Units:
      xUnits_ = std::make_unique<food::UnitTable>(store_, "unitx");
      xUnits_->open();
      xIngredients_ = std::make_unique<food::IngredientTable>(store_, "foodx");
      xBrands_ = std::make_unique<food::BrandTable>(store_, *xUnits_, "brandx");
      food_ = std::make_unique<FoodTranslation>(store_, targets_.food, *xUnits_, *xIngredients_,
                                                *xBrands_);
      openMatching(MatchMode::Units);
      completedFields_ = {2};
      return ImportStep::Ingredients;
    case ImportStep::Ingredients:
      if (matching_) matching_->close();
      xIngredients_->open();
      xBrands_->open();
      openMatching(MatchMode::Ingredients);
      completedFields_ = {3};
      return ImportStep::RecipePass;
    case ImportStep::RecipePass:
      closeMatching();
      return openPass(recipePassTables(), false);
    case ImportStep::CataloguePass:
      return openPass(cataloguePassTables(), true);
    case ImportStep::Book:
      return nextBook();
    case ImportStep::Finish:
      closeExchangeTables();
      removeExchangeFiles();
      completedFields_ = {6};
      succeeded_ = true;
      return ImportStep::Announce;
    case ImportStep::Announce:
      store_.user().message("Finished!", "INFORMATION", toolkit::Buttons::Ok,
                            std::string(kImportedText) + "\r\n\r\n" + summaryText());
      return ImportStep::Done;
    case ImportStep::Done:
      break;
  }
  return ImportStep::Done;
}

std::string ExchangeImport::summaryText() {
  return importSummaryText(summary_, targets_.shelf.books, targets_.shelf.chapters);
}

ImportStep ExchangeImport::extract() {
  auto refuse = [this](const char* title, const std::string& text) {
    store_.user().message(title, "ASTERISK", toolkit::Buttons::Ok, text);
    return ImportStep::Done;
  };
  // A MasterCook or Meal-Master file is read into the exchange tables instead.
  RecipeFileResult text;
  try {
    text = readRecipeFile(store_, path_, options_.skipBadRecipes, options_.fetchPhoto);
    if (text.format == RecipeFileFormat::Malformed && !options_.skipBadRecipes) {
      // Nothing is imported from a file with a malformed recipe unless the person says so.
      store_.user().message(kUnableToDownloadTitle, "ASTERISK", toolkit::Buttons::Ok,
                            malformedFileText(path_, *text.error));
      if (store_.user().message(kSkipBadTitle, "QUESTION", toolkit::Buttons::YesNo, kSkipBadText) !=
          toolkit::Button::Yes) {
        return ImportStep::Done;
      }
      text = readRecipeFile(store_, path_, true);
    }
  } catch (const xbase::Error& error) {
    // Only the scratch tables were written; e.g. more categories than their UIDs can number.
    return refuse("Error!", platform::formatText("%s could not be read:\r\n%s\r\nNothing was "
                                                 "imported.",
                                                 path_.c_str(), error.what()));
  }
  if (text.format == RecipeFileFormat::Malformed)
    return refuse(kUnableToDownloadTitle, malformedFileText(path_, *text.error));
  if (text.format == RecipeFileFormat::Unknown)
    return refuse(kUnableToDownloadTitle, platform::formatText(kUnknownFormatText, path_.c_str()));
  if (text.format == RecipeFileFormat::BrokenXml)
    return refuse(kUnableToDownloadTitle, platform::formatText(kBrokenXmlText, path_.c_str()));
  if (text.format == RecipeFileFormat::WebPageWithoutRecipe)
    return refuse(kNothingFoundTitle, platform::formatText(kNoRecipeInPageText, path_.c_str()));
  summary_.badRecipes = text.skipped;
  if (text.format == RecipeFileFormat::ExchangeArchive) {
    int code;
    {
      toolkit::WaitPointer wait(store_.user());
      code = extractExchangeArchive(path_);
    }
    // An archive without a single entry reads as "no file found": nothing found, below.
    if (code != archive::kOk && code != archive::kErrorFileNotFound)
      return refuse("Error!", extractFailureText(code, path_));
  }
  const long recipes = archiveRecipeCount();
  if (recipes == 0)
    return refuse(kNothingFoundTitle, platform::formatText(kNothingFoundText, path_.c_str()));
  // Every recipe gets the next UID; five digits end at 99,999. Refused before anything is added,
  // so that an import never stops half way for want of numbers.
  const long have = targets_.shelf.recipes.nextUid() - 1;
  if (have + recipes > kMostRecipes) {
    return refuse("Error!", platform::formatText(kTooManyRecipesText, path_.c_str(), recipes, have,
                                                 kMostRecipes));
  }
  completedFields_ = {1};
  return ImportStep::Units;
}

ImportStep ExchangeImport::openPass(const PassTables& tables, bool catalogue) {
  pass_.reset();
  cataloguePass_ = catalogue;
  pass_ = std::make_unique<ShelfPass>(store_, targets_.shelf, *food_, tables);
  pass_->open();
  return ImportStep::Book;
}

ImportStep ExchangeImport::nextBook() {
  if (pass_->importNextBook()) {
    lastBook_ = pass_->lastBook();
    if (firstChapter_ == 0) firstChapter_ = pass_->firstChapter();
    completedFields_ = {4, 5};
    return ImportStep::Book;
  }
  pass_->close();
  for (const auto& [chapter, added] : pass_->addedByChapter())
    summary_.addedByChapter[chapter] += added;
  summary_.duplicatesSkipped += pass_->duplicatesSkipped();
  summary_.renamed += pass_->recipesRenamed();
  if (!cataloguePass_) return ImportStep::CataloguePass;
  ShelfPass& pass = *pass_;
  mergeMenus(store_, targets_.menus, [&pass](long uid) { return pass.newUidOf(uid); });
  return ImportStep::Finish;
}

void ExchangeImport::runAll() {
  for (ImportStep step = ImportStep::Extract; step != ImportStep::Done;) step = run(step);
}

}  // namespace savora::exchange
