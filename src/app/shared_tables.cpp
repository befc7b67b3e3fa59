#include "app/shared_tables.h"

#include "platform/file_ops.h"
#include "xbase/error.h"

namespace savora::app {

SharedTables::SharedTables(store::TableStore& store)
    : books_(store),
      chapters_(store),
      categories_(store),
      recipes_(store, "rc65"),
      ingredients_(store),
      units_(store),
      foodGroups_(store),
      brands_(store, units_) {
  bookshelf::connectBookshelf(recipes_, categories_);
  food::connectBrands(brands_, units_, ingredients_, foodGroups_);
  openingOrder_ = {&books_, &chapters_, &categories_, &recipes_};
  if (catalogInstalled()) {
    using bookshelf::Shelf;
    catalogBooks_ = std::make_unique<bookshelf::BookTable>(store, Shelf::Catalog);
    catalogChapters_ = std::make_unique<bookshelf::ChapterTable>(store, Shelf::Catalog);
    catalogCategories_ = std::make_unique<bookshelf::CategoryTable>(store, Shelf::Catalog);
    catalogRecipes_ =
        std::make_unique<store::RecipeTable>(store, bookshelf::recipeTableName(Shelf::Catalog));
    bookshelf::connectBookshelf(*catalogRecipes_, *catalogCategories_);
    openingOrder_.insert(openingOrder_.end(), {catalogBooks_.get(), catalogChapters_.get(),
                                               catalogCategories_.get(), catalogRecipes_.get()});
  }
  openingOrder_.insert(openingOrder_.end(), {&ingredients_, &units_, &foodGroups_, &brands_});
  // The catalogue is not the user's data: it is neither backed up nor rebuilt after a crash.
  for (store::TableModule* module :
       std::initializer_list<store::TableModule*>{&books_, &chapters_, &categories_, &recipes_,
                                                  &ingredients_, &units_, &foodGroups_, &brands_}) {
    mainTables_.add(*module);
    rebuiltAfterCrash_.push_back(module);
  }
}

SharedTables::~SharedTables() = default;

bool SharedTables::catalogInstalled() {
  return platform::fileExists("catalog\\catalogBook.cdx");
}

std::vector<std::string> SharedTables::openAll() {
  std::vector<std::string> failed;
  for (store::TableModule* module : openingOrder_) {
    try {
      module->open();
    } catch (const xbase::Error& error) {
      failed.push_back(module->definition().name + ": " + error.what());
    }
  }
  return failed;
}

void SharedTables::closeAll() {
  for (store::TableModule* module : openingOrder_) module->close();
}

void SharedTables::rebuildIndexes() {
  for (store::TableModule* module : rebuiltAfterCrash_) {
    if (module->isOpen()) module->table().reindex();
  }
}

}  // namespace savora::app
