#include "app/shared_tables.h"

#include "platform/file_ops.h"

namespace savora::app {
namespace {

void addAll(store::OpenTables& tables, std::initializer_list<store::TableModule*> modules) {
  for (store::TableModule* module : modules) tables.add(*module);
}

}  // namespace

SharedTables::SharedTables(store::TableStore& store)
    : books_(store),
      chapters_(store),
      categories_(store),
      recipes_(store, "rc65"),
      ingredients_(store),
      units_(store),
      foodGroups_(store),
      weeks_(store),
      years_(store),
      brands_(store, units_) {
  bookshelf::connectBookshelf(recipes_, categories_);
  // Only the user's recipes are in menus: the catalogue's recipe table has no menu hook.
  planning::connectMenus(recipes_, weeks_);
  planning::connectPlans(weeks_, years_);
  food::connectBrands(brands_, units_, ingredients_, foodGroups_);
  addAll(allTables_, {&books_, &chapters_, &categories_, &recipes_});
  if (catalogInstalled()) {
    using bookshelf::Shelf;
    catalogBooks_ = std::make_unique<bookshelf::BookTable>(store, Shelf::Catalog);
    catalogChapters_ = std::make_unique<bookshelf::ChapterTable>(store, Shelf::Catalog);
    catalogCategories_ = std::make_unique<bookshelf::CategoryTable>(store, Shelf::Catalog);
    catalogRecipes_ =
        std::make_unique<store::RecipeTable>(store, bookshelf::recipeTableName(Shelf::Catalog));
    bookshelf::connectBookshelf(*catalogRecipes_, *catalogCategories_);
    addAll(allTables_, {catalogBooks_.get(), catalogChapters_.get(), catalogCategories_.get(),
                        catalogRecipes_.get()});
  }
  addAll(allTables_, {&ingredients_, &units_, &foodGroups_, &weeks_, &years_, &brands_});
  // The catalogue is not the user's data: it is neither backed up nor rebuilt after a crash.
  addAll(mainTables_, {&books_, &chapters_, &categories_, &recipes_, &ingredients_, &units_,
                       &foodGroups_, &weeks_, &years_, &brands_});
}

SharedTables::~SharedTables() = default;

bool SharedTables::catalogInstalled() {
  return platform::fileExists("catalog\\catalogBook.cdx");
}

bookshelf::ShelfTables SharedTables::shelf(bool catalog) {
  if (catalog) return {*catalogBooks_, *catalogChapters_, *catalogCategories_, *catalogRecipes_};
  return {books_, chapters_, categories_, recipes_};
}

food::KitchenTables SharedTables::kitchen() {
  return {ingredients_, brands_, units_, foodGroups_};
}

food::FoodTables SharedTables::food() {
  return {ingredients_, brands_, units_, foodGroups_, recipes_};
}

recipe::RecipeTables SharedTables::recipeTables(bool catalog, food::UnitSettings units) {
  const bookshelf::ShelfTables s = shelf(catalog);
  return {s.recipes, units_, ingredients_, brands_, s.books, s.chapters, units};
}

planning::ShoppingTables SharedTables::shoppingTables(bool catalog, food::UnitSettings units) {
  return {recipeTables(catalog, units), foodGroups_, &weeks_};
}

book_export::BookExportSources SharedTables::exportSources(bool catalog) {
  const bookshelf::ShelfTables s = shelf(catalog);
  return {s.books, s.chapters, s.categories, s.recipes, units_, ingredients_, brands_};
}

exchange::ImportTargets SharedTables::importTargets() {
  return {{units_, ingredients_, brands_}, shelf(false), weeks_};
}

void SharedTables::rebuildIndexes() {
  for (store::TableModule* module : mainTables_.modules()) {
    // The plans are left as they are.
    if (module == &years_) continue;
    if (module->isOpen()) module->table().reindex();
  }
}

}  // namespace savora::app
