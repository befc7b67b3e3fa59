#include "app/shared_tables.h"

#include "platform/file_ops.h"

namespace savora::app {

SharedTables::SharedTables(store::TableStore& store) : recipes_(store, "rc65") {
  if (catalogInstalled())
    catalogRecipes_ = std::make_unique<store::RecipeTable>(store, "catalog\\catalog65");
  openingOrder_.push_back(&recipes_);
  if (catalogRecipes_) openingOrder_.push_back(catalogRecipes_.get());
  mainTables_.add(recipes_);
  rebuiltAfterCrash_.push_back(&recipes_);
}

SharedTables::~SharedTables() = default;

bool SharedTables::catalogInstalled() {
  return platform::fileExists("catalog\\catalogBook.cdx");
}

std::vector<std::string> SharedTables::openAll() {
  std::vector<std::string> failed;
  for (store::TableModule* module : openingOrder_) {
    if (!module->open()) failed.push_back(module->definition().name + ": " + module->lastError());
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
