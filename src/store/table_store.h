// The table store of one run: what every table module shares (the person to report long work
// to, the count of recipes added this run).
#pragma once

#include "toolkit/user.h"

namespace savora::store {

class TableStore {
 public:
  explicit TableStore(toolkit::User& user) : user_(user) {}
  TableStore(const TableStore&) = delete;
  TableStore& operator=(const TableStore&) = delete;

  toolkit::User& user() { return user_; }

  // Recipes saved as new since the last backup of this run, in any recipe table (the backup
  // reminder reads it; every backup, and finding a backup due, resets it).
  long recipesAdded() const { return recipesAdded_; }
  void countRecipeAdded() { ++recipesAdded_; }
  void resetRecipesAdded() { recipesAdded_ = 0; }

  // A reading run (printing while the program may hold the folder) opens every table read only
  // and creates none: nothing it does can write a table.
  bool readOnly() const { return readOnly_; }
  void setReadOnly(bool readOnly) { readOnly_ = readOnly; }

 private:
  toolkit::User& user_;
  long recipesAdded_ = 0;
  bool readOnly_ = false;
};

}  // namespace savora::store
