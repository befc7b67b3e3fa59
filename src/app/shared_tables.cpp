#include "app/shared_tables.h"

#include "platform/file_ops.h"

namespace savora::app {

SharedTables::SharedTables(store::TableStore& store)
    : recipes_(store, "rc65"), ingredients_(store), units_(store), foodGroups_(store) {
  if (catalogInstalled()) {
    catalogRecipes_ = std::make_unique<store::RecipeTable>(store, "catalog\\catalog65");
  }
  openingOrder_ = {&recipes_};
  if (catalogRecipes_) openingOrder_.push_back(catalogRecipes_.get());
  openingOrder_.push_back(&ingredients_);
  openingOrder_.push_back(&units_);
  openingOrder_.push_back(&foodGroups_);
  for (store::TableModule* module : std::initializer_list<store::TableModule*>{
           &recipes_, &ingredients_, &units_, &foodGroups_}) {
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
