// The two bookshelves, their Export and the book, chapter and category information window.
#include "app/registration.h"

#include <memory>
#include <utility>

#include "app/main_window.h"
#include "app/register_handheld.h"
#include "app/settings.h"
#include "app/shared_tables.h"
#include "app/tips_window.h"
#include "app/usage_counters.h"
#include "book_export/book_export.h"
#include "book_export/shelf_text_export.h"
#include "bookshelf/book_info_window.h"
#include "bookshelf/book_shelf_window.h"
#include "codes/program_codes.h"
#include "food/category_list_window.h"
#include "platform/program_dirs.h"
#include "print/print_service.h"
#include "store/table_store.h"

namespace savora::app {

using namespace savora::toolkit;

namespace {

// The bookshelf's part of the settings: the browse modes and its kind's last selection.
bookshelf::BookshelfMemory bookshelfMemory(Settings& settings, BookshelfSelection& selection) {
  return {settings.browse.cookbook, settings.browse.cookbookAndChapter,
          settings.browse.category, selection.book,
          selection.chapter,        selection.category};
}

}  // namespace

namespace {

bookshelf::BookshelfSearch bookshelfSearch(SharedTables& tables, RunServices run) {
  Settings& settings = run.settings;
  UsageCounters& usage = run.usage;
  return {tables.ingredients(), [&settings] { return settings.includeInstructionsInSearch; },
          [&settings](bool include) { settings.includeInstructionsInSearch = include; },
          [&usage] { ++usage.recipeSearch; }};
}

}  // namespace

namespace {

// A catalogue book goes into the same exchange tables as a recipe book (see book_export.h): the
// archive imports onto the recipe bookshelf of any installation. A name ending in ".mmf" or
// ".mxp" writes a recipe text file instead.
std::function<void(const bookshelf::BookShelfWindow::ExportChoice&)> bookExport(
    SharedTables& tables, bool catalog, User& user) {
  return [&tables, catalog, &user,
          shelf = tables.shelf(catalog)](const bookshelf::BookShelfWindow::ExportChoice& choice) {
    const std::string filter =
        std::string(book_export::kExportFilter) + ";;" + book_export::kTextExportFilter;
    const auto chosen = user.saveFileName(
        "Export Data...", filter,
        toolkit::suggestedFileName(shelf.books.nameOf(choice.book), ".zel", "Cookbook"));
    platform::setProgramDirectory(platform::programDirectory());
    if (!chosen) return;
    const book_export::BookExportSources sources = tables.exportSources(catalog);
    if (const auto format = book_export::textFormatOfPath(*chosen)) {
      std::vector<long> recipe;
      if (choice.recipe > 0) recipe.push_back(choice.recipe);
      book_export::exportShelfAsText(user, sources, {choice.book, choice.chapter, recipe}, *format,
                                     *chosen);
      return;
    }
    // The export writes only exchange tables of its own; it counts no recipes as added.
    store::TableStore exportStore(user);
    book_export::exportBook(exportStore, sources, choice.book, *chosen);
  };
}

}  // namespace

void registerBookshelves(MainWindow& main, SharedTables& tables, User& user, RunServices run) {
  main.registerWindow(codes::kKindBookshelf, [&main, &tables, &user, run](const UI_EVENT&) {
    auto window = std::make_unique<bookshelf::BookShelfWindow>(
        tables.shelf(false), bookshelf::Shelf::Recipes,
        bookshelfMemory(run.settings, run.settings.recipeShelf), bookshelfSearch(tables, run),
        user);
    window->printRecipes =
        print::listedRecipesPrinter(run.printing, recipeTables(main, tables, false), user);
    window->sendToHandheld = shelfToHandheld(recipeTables(main, tables, false), user);
    window->setBookExport(bookExport(tables, false, user));
    return window;
  });
  // Without the catalogue its command stays unselectable: no window is registered for it.
  if (tables.catalogBooks()) {
    main.registerWindow(codes::kKindCatalog, [&main, &tables, &user, run](const UI_EVENT&) {
      auto window = std::make_unique<bookshelf::BookShelfWindow>(
          tables.shelf(true), bookshelf::Shelf::Catalog,
          bookshelfMemory(run.settings, run.settings.catalogShelf), bookshelfSearch(tables, run),
          user);
      window->printRecipes =
          print::listedRecipesPrinter(run.printing, recipeTables(main, tables, true), user);
      window->sendToHandheld = shelfToHandheld(recipeTables(main, tables, true), user);
      window->setBookExport(bookExport(tables, true, user));
      return window;
    });
  }
  // The information window of the book, chapter or category the bookshelf handed over.
  main.registerWindow(codes::kKindInformation, [&tables, &user, run](const UI_EVENT& request) {
    const long type = request.values[0];
    if (type < long(bookshelf::ShelfItemType::Book) ||
        type > long(bookshelf::ShelfItemType::Category))
      return std::unique_ptr<UIW_WINDOW>();
    const bool catalog = request.values[3] != 0;
    if (catalog && !tables.catalogBooks()) return std::unique_ptr<UIW_WINDOW>();
    auto window = std::make_unique<bookshelf::BookInfoWindow>(
        tables.shelf(catalog), catalog ? bookshelf::Shelf::Catalog : bookshelf::Shelf::Recipes,
        user, bookshelf::ShelfItemType(type), request.values[1], request.values[2], nullptr,
        &run.state.exitState, media::MediaLookup(mediaPlaces(run.state)));
    window->print = print::textPagePrinter(run.printing);
    return std::unique_ptr<UIW_WINDOW>(std::move(window));
  });
}

}  // namespace savora::app
