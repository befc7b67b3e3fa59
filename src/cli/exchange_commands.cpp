#include "cli/exchange_commands.h"

#include "app/web_import.h"
#include "book_export/book_export.h"
#include "book_export/text_export_recipes.h"
#include "cli/recipe_names.h"
#include "exchange/exchange_import.h"
#include "exchange/import_run_mark.h"
#include "platform/codepage.h"
#include "platform/file_ops.h"

namespace savora::cli {

int importFiles(const std::vector<std::string>& files, bool skipBadRecipes, bool fetchPhotos,
                store::TableStore& store, app::SharedTables& tables, std::ostream& out,
                std::ostream& err) {
  exchange::settleInterruptedImport(store.user(), tables.shelf(false), false);
  for (const std::string& file : files) {
    if (!platform::fileExists(file) || platform::isFolder(file)) {
      err << "savora99-cli: no file " << file << "\n";
      return 1;
    }
    const long before = store.recipesAdded();
    auto import = exchange::ExchangeImport::start(
        store, tables.importTargets(), file,
        {exchange::NewItems::AddAll, skipBadRecipes,
         fetchPhotos ? app::webPhotoFetcher(store.user()) : exchange::PhotoFetcher{}});
    if (!import) return 1;
    import->runAll();
    if (!import->succeeded()) {
      err << "savora99-cli: " << file << " was not imported\n";
      return 1;
    }
    const long added = store.recipesAdded() - before;
    out << file << ": " << added << (added == 1 ? " recipe" : " recipes") << " imported into \""
        << platform::utf8FromCp1252(tables.books().nameOf(import->lastBook())) << "\"\n";
    std::string summary = import->summaryText();
    for (size_t at; (at = summary.find("\r\n")) != std::string::npos;) summary.replace(at, 2, "\n");
    out << platform::utf8FromCp1252(summary);
  }
  return 0;
}

int exportBookNamed(const std::string& book, const std::string& file, store::TableStore& store,
                    app::SharedTables& tables, std::ostream& out, std::ostream& err) {
  const std::string name = platform::cp1252FromUtf8(book);
  const long uid = tables.books().uidOf(name);
  if (uid < 0) {
    err << "savora99-cli: no book " << book << "\n";
    return 1;
  }
  const book_export::BookExportSources sources = tables.exportSources(false);
  if (!book_export::exportBook(store, sources, uid, file)) return 1;
  out << "\"" << book << "\" exported into " << book_export::exportArchivePath(file) << "\n";
  return 0;
}

namespace {

// The recipes a command-line name stands for: a book, a chapter of a book, or one recipe.
std::optional<book_export::RecipeSelection> selectionNamed(const std::string& utf8Name,
                                                           app::SharedTables& tables) {
  const std::string name = platform::cp1252FromUtf8(utf8Name);
  if (const long book = tables.books().uidOf(name); book >= 0) return {{book, 0, {}}};
  if (const size_t slash = name.find('/'); slash != std::string::npos &&
                                           name.find('/', slash + 1) == std::string::npos) {
    const long book = tables.books().uidOf(name.substr(0, slash));
    const long chapter = book < 0 ? -1 : tables.chapters().uidOf(name.substr(slash + 1), book);
    if (chapter >= 0) return {{book, chapter, {}}};
  }
  recipe::RecipeTables recipeTables = tables.recipeTables(false);
  if (auto recipe = findRecipe(recipeTables, name)) return {{0, 0, {recipe->uid}}};
  return std::nullopt;
}

}  // namespace

int exportRecipesAsText(const std::vector<std::string>& sources, const std::string& file,
                        book_export::TextFormat format, bool utf8, store::TableStore& store,
                        app::SharedTables& tables, std::ostream& out, std::ostream& err) {
  const book_export::BookExportSources from = tables.exportSources(false);
  std::vector<recipe_formats::TextRecipe> recipes;
  for (const std::string& source : sources) {
    const auto selection = selectionNamed(source, tables);
    if (!selection) {
      err << "savora99-cli: no book, chapter or recipe " << source << "\n";
      return 1;
    }
    std::vector<recipe_formats::TextRecipe> more = book_export::textRecipesOf(from, *selection);
    std::move(more.begin(), more.end(), std::back_inserter(recipes));
  }
  const recipe_formats::TextEncoding encoding =
      utf8 ? recipe_formats::TextEncoding::Utf8 : book_export::nativeEncoding(format);
  if (!book_export::exportRecipesText(store.user(), recipes, format, encoding, file)) return 1;
  out << recipes.size() << (recipes.size() == 1 ? " recipe" : " recipes") << " exported into "
      << file << " (" << book_export::textFormatName(format) << ")\n";
  return 0;
}

}  // namespace savora::cli
