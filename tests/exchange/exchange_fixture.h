// A program folder with the user's tables open, and exchange archives built by the test: the
// exchange tables are written with the program's own table modules in a folder of their own and
// packed with the archive library.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "archive/job.h"
#include "bookshelf/book_table.h"
#include "bookshelf/category_table.h"
#include "bookshelf/chapter_table.h"
#include "exchange/exchange_import.h"
#include "food/brand_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "planning/week_table.h"
#include "platform/file_ops.h"
#include "program_folders.h"
#include "scripted_user.h"
#include "store/recipe_table.h"

namespace savora::exchange {

// Exchange tables under construction in `folder` (absolute names, so the user's tables in the
// program folder stay current).
class ArchiveBuilder {
 public:
  ArchiveBuilder(store::TableStore& store, std::string folder) : store_(store), folder_(folder) {}

  store::TableModule& table(const std::string& name, store::TableDefinition definition) {
    auto& slot = tables_[name];
    if (!slot) {
      definition.name = folder_ + name;
      slot = std::make_unique<store::TableModule>(store_, definition);
      slot->open();
    }
    return *slot;
  }
  void book(const char* table, long uid, const std::string& name, const std::string& bitmap = "") {
    auto& t = this->table(table, bookshelf::bookTableDefinition(bookshelf::Shelf::Recipes));
    t.appendStart(uid);
    t.setText("NAME", name);
    t.setText("BITMAP", bitmap);
    t.append();
  }
  void chapter(const char* table, long uid, long book, const std::string& name) {
    auto& t = this->table(table, bookshelf::chapterTableDefinition(bookshelf::Shelf::Recipes));
    t.appendStart(uid);
    t.setNumber("BOOK_UID", double(book));
    t.setText("NAME", name);
    t.append();
  }
  void category(const char* table, long uid, long recipe, const std::string& name) {
    auto& t = this->table(table, bookshelf::categoryTableDefinition(bookshelf::Shelf::Recipes));
    t.appendStart(uid);
    t.setNumber("RECIPE_UID", double(recipe));
    t.setText("NAME", name);
    t.append();
  }
  void menuRow(long uid, const std::string& name, long day, long recipe) {
    auto& t = this->table("weekx", planning::weekTableDefinition());
    t.appendStart(uid);
    t.setText("NAME", name);
    t.setNumber("DAY", double(day));
    t.setNumber("RECIPE_UID", double(recipe));
    t.append();
  }
  void unit(long uid, const std::string& name, const std::string& conversion = "",
            long conversionUnit = 0) {
    auto& t = this->table("unitx", food::unitTableDefinition("unitx"));
    t.appendStart(uid);
    t.setText("NAME", name);
    t.setText("ABBREV", name);
    t.setText("CONVERSION", conversion);
    t.setNumber("CONV_UNIT", double(conversionUnit));
    t.append();
  }
  void food(long uid, const std::string& name) {
    auto& t = this->table("foodx", food::ingredientTableDefinition("foodx"));
    t.appendStart(uid);
    t.setText("NAME", name);
    t.append();
  }
  void brand(long uid, long ingredient, const std::string& name) {
    auto& t = this->table("brandx", food::brandTableDefinition("brandx"));
    t.appendStart(uid);
    t.setNumber("IN", double(ingredient));
    t.setText("NAME", name);
    t.append();
  }
  void recipe(const std::string& table, long uid, long chapter, const std::string& name,
              std::vector<store::RecipeLine> lines = {},
              store::RecipeFormat format = store::RecipeFormat::Current) {
    auto& slot = recipeTables_[table];
    if (!slot) {
      slot = std::make_unique<store::RecipeTable>(store_, folder_ + table, format);
      slot->open();
    }
    store::Recipe recipe;
    recipe.name = name;
    recipe.servings = 4;
    recipe.instructions = "Cook " + name;
    for (size_t i = 0; i < lines.size(); ++i) recipe.lines[i] = lines[i];
    slot->save(uid, chapter, recipe, false);
  }
  void mediaList(const std::string& name, const std::string& picture) {
    EXPECT_TRUE(platform::makeFolder(folder_ + "cxp"));
    EXPECT_TRUE(platform::writeWholeFile(folder_ + "cxp/" + name, picture + "\nsound.wav\n\n"));
  }

  // Closes the tables and packs the folder into `archivePath`.
  void pack(const std::string& archivePath) {
    for (auto& [name, table] : tables_) table->close();
    tables_.clear();
    for (auto& [name, table] : recipeTables_) table->close();
    recipeTables_.clear();
    const std::string program = platform::programDirectory();
    platform::setProgramDirectory(folder_);
    archive::Job job;
    job.init();
    job.openArchive(archivePath, archive::kModeNew);
    for (const platform::FolderEntry& entry : platform::listFolder("*.*")) {
      job.add(entry.isFolder ? entry.name + "\\*.*" : entry.name);
    }
    const int processed = job.process();
    job.closeArchive();
    job.cleanup();
    platform::setProgramDirectory(program);
    ASSERT_EQ(processed, archive::kOk);
  }

 private:
  store::TableStore& store_;
  std::string folder_;
  std::map<std::string, std::unique_ptr<store::TableModule>> tables_;
  std::map<std::string, std::unique_ptr<store::RecipeTable>> recipeTables_;
};

class ExchangeTest : public savora::testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    for (store::TableModule* t : std::initializer_list<store::TableModule*>{
             &books, &chapters, &categories, &recipes, &units, &ingredients, &brands, &menus}) {
      t->open();
    }
    bookshelf::connectBookshelf(recipes, categories);
  }

  ImportTargets targets() {
    return {{units, ingredients, brands}, {books, chapters, categories, recipes}, menus};
  }
  // Runs a whole import of `path`; the user must expect its messages.
  void importArchive(const std::string& path) {
    auto run = ExchangeImport::start(store, targets(), path);
    ASSERT_TRUE(run);
    run->runAll();
  }
  void expectFinished() {
    user.expectTitle("Finished!");
  }
  long recipeUid(const std::string& name, long chapter) { return recipes.find(name, chapter); }
  store::Recipe load(long uid) {
    store::Recipe recipe;
    recipes.load(uid, recipe);
    return recipe;
  }
  std::string archivePath(const std::string& name) { return elsewhere.str() + name; }

  savora::testing::ScriptedUser user;
  store::TableStore store{user};
  savora::testing::TempFolder source, elsewhere;
  ArchiveBuilder archive{store, source.str()};
  bookshelf::BookTable books{store};
  bookshelf::ChapterTable chapters{store};
  bookshelf::CategoryTable categories{store};
  store::RecipeTable recipes{store, "rc65"};
  food::UnitTable units{store};
  food::IngredientTable ingredients{store};
  food::BrandTable brands{store, units};
  planning::WeekTable menus{store};
};

}  // namespace savora::exchange
