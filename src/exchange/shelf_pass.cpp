#include "exchange/shelf_pass.h"

#include <unordered_map>

#include "platform/file_ops.h"
#include "platform/text.h"
#include "store/media_list.h"
#include "store/recipe_upgrade.h"

namespace savora::exchange {
namespace {

store::TableDefinition renamed(store::TableDefinition definition, const char* name) {
  definition.name = name;
  return definition;
}

// "Name (n)", the name cut so that the counter always fits the name field.
std::string numberedRecipeName(const std::string& name, int counter) {
  const std::string suffix = " (" + std::to_string(counter) + ")";
  return platform::trimRight(name.substr(0, store::kRecipeNameLength - suffix.size())) + suffix;
}

}  // namespace

const PassTables& recipePassTables() {
  static const PassTables tables{"bookx",
                                 "chapterx",
                                 "recip65x",
                                 "categx",
                                 {{"recipex", store::RecipeFormat::Oldest},
                                  {"recip63x", store::RecipeFormat::Rc63},
                                  {"recip64x", store::RecipeFormat::Current}}};
  return tables;
}

const PassTables& cataloguePassTables() {
  static const PassTables tables{
      "mbookx",
      "mchapx",
      "meal64x",
      "mcategx",
      {{"mrecipex", store::RecipeFormat::Oldest}, {"meal63x", store::RecipeFormat::Rc63}}};
  return tables;
}

std::string freeBookName(bookshelf::BookTable& books, const std::string& name) {
  for (int counter = 1;; ++counter) {
    const std::string suffix = " " + std::to_string(counter);
    const std::string base = platform::trimRight(bookshelf::shelfName(name).substr(
        0, bookshelf::kShelfNameWidth - std::min(suffix.size(), bookshelf::kShelfNameWidth)));
    const std::string candidate = base + suffix;
    if (books.uidOf(candidate) < 0) return candidate;
  }
}

std::string rehomeMediaList(const std::string& stored) {
  const std::string name = store::mediaListFileName(stored);
  if (name.empty()) return "";
  const store::MediaReferences media = store::readMediaList(name, store::kExchangeMediaListFolder);
  if (media[0].empty() && media[1].empty() && media[2].empty()) return "";
  return store::writeMediaList("", media).value_or("");
}

ShelfPass::ShelfPass(store::TableStore& store, UserShelf user, FoodTranslation& food,
                     const PassTables& tables)
    : store_(store), user_(user), food_(food), names_(tables) {}

ShelfPass::~ShelfPass() {
  for (store::TableModule* table : {books_.get(), chapters_.get(), categories_.get(),
                                    static_cast<store::TableModule*>(recipes_.get())}) {
    if (table) table->close();
  }
}

void ShelfPass::open() {
  using bookshelf::Shelf;
  books_ = std::make_unique<store::TableModule>(
      store_, renamed(bookshelf::bookTableDefinition(Shelf::Recipes), names_.books));
  chapters_ = std::make_unique<store::TableModule>(
      store_, renamed(bookshelf::chapterTableDefinition(Shelf::Recipes), names_.chapters));
  categories_ = std::make_unique<store::TableModule>(
      store_, renamed(bookshelf::categoryTableDefinition(Shelf::Recipes), names_.categories));
  recipes_ = std::make_unique<store::RecipeTable>(store_, names_.recipes);
  books_->open();
  chapters_->open();
  categories_->open();
  recipes_->open();
  for (const OldRecipeTable& old : names_.oldRecipes) {
    if (platform::fileExists(std::string(old.name) + ".cdx")) {
      store::upgradeRecipes(store_, *recipes_, old.name, old.format);
    }
  }

  for (bool on = books_->first(store::kUidTag); on; on = books_->next()) {
    bookOrder_.push_back(books_->number("UID"));
  }
  for (bool on = chapters_->first(store::kUidTag); on; on = chapters_->next()) {
    chaptersByBook_[chapters_->number("BOOK_UID")].push_back(
        {chapters_->number("UID"), chapters_->number("BOOK_UID"), chapters_->text("NAME"),
         chapters_->memo("INFO"), chapters_->text("BITMAP")});
  }
}

long ShelfPass::importBook(long exchangeBook) {
  books_->seekUid(exchangeBook);
  const std::string name = bookshelf::shelfName(books_->text("NAME"));
  const std::string info = books_->memo("INFO");
  const std::string bitmap = books_->text("BITMAP");
  const long existing = user_.books.uidOf(name);
  if (existing >= 0) {
    const toolkit::Button answer =
        store_.user().message(kExistingBookTitle, "QUESTION", toolkit::Buttons::YesNo,
                              platform::formatText(kExistingBookText, name.c_str()));
    if (answer == toolkit::Button::Yes) return existing;
    return user_.books.add(freeBookName(user_.books, name), info, rehomeMediaList(bitmap));
  }
  return user_.books.add(name, info, rehomeMediaList(bitmap));
}

void ShelfPass::importChapter(const ExchangeChapter& chapter, long targetBook) {
  long target = user_.chapters.uidOf(chapter.name, targetBook);
  if (target <= 0) {
    target =
        user_.chapters.add(chapter.name, targetBook, chapter.info, rehomeMediaList(chapter.bitmap));
  }
  if (firstChapter_ == 0) firstChapter_ = target;

  std::vector<long> recipes;
  for (auto name = recipes_->first(chapter.uid);
       name && recipes_->chapterOfCurrent() == chapter.uid; name = recipes_->next()) {
    recipes.push_back(recipes_->uidOfCurrent());
  }
  // The recipes the target chapter holds by name, folded as the duplicate check compares them:
  // one walk of the chapter instead of one per imported recipe.
  ChapterNames taken;
  for (auto name = user_.recipes.first(target); name && user_.recipes.chapterOfCurrent() == target;
       name = user_.recipes.next()) {
    taken.emplace(platform::toLower(platform::trim(*name)), user_.recipes.uidOfCurrent());
  }
  toolkit::StatusScope status(store_.user());
  status.show("Adding Recipes", "Searching New Recipe Database...");
  for (long uid : recipes) {
    store::Recipe recipe;
    recipes_->load(uid, recipe);
    recipe.name = recipe.name.substr(0, store::kRecipeNameLength);
    food_.translateLines(recipe);
    const std::optional<std::string> name = nameInChapter(taken, recipe);
    if (!name) {
      newUids_[uid] = -1;
      ++duplicatesSkipped_;
      continue;
    }
    if (*name != recipe.name) ++recipesRenamed_;
    recipe.name = *name;
    status.show("Adding Recipes", platform::formatText("Adding %s", recipe.name.c_str()));
    recipe.uid = 0;
    const long newUid = user_.recipes.save(0, target, recipe, false);
    taken.emplace(platform::toLower(platform::trim(recipe.name)), newUid);
    newUids_[uid] = newUid;
    added_.push_back(newUid);
    ++addedByChapter_[target];
    ++recipesAdded_;
  }
}

std::optional<std::string> ShelfPass::nameInChapter(const ChapterNames& taken,
                                                    const store::Recipe& recipe) {
  const std::string name = platform::trim(recipe.name);
  for (int counter = 1;; ++counter) {
    const std::string candidate = counter == 1 ? recipe.name : numberedRecipeName(name, counter);
    const auto holder = taken.find(platform::toLower(platform::trim(candidate)));
    if (holder == taken.end()) return candidate;
    if (sameAsUserRecipe(holder->second, recipe)) return std::nullopt;
  }
}

// Compared as the user edits recipes; the name's case, the media (re-homed under new names on
// every import) and references to other recipes of the archive (renumbered after the pass) do
// not count.
bool ShelfPass::sameAsUserRecipe(long userRecipe, const store::Recipe& incoming) {
  store::Recipe mine;
  user_.recipes.load(userRecipe, mine);
  store::Recipe theirs = incoming;
  theirs.name = mine.name;
  theirs.media = mine.media;
  for (size_t i = 0; i < theirs.lines.size(); ++i) {
    const long code = theirs.lines[i].ingredient;
    if (code > store::kRecipeCodeBase && code < store::kBrandCodeBase) {
      theirs.lines[i].ingredient = mine.lines[i].ingredient;
    }
  }
  return !store::recipesDiffer(theirs, mine);
}

bool ShelfPass::importNextBook() {
  if (nextBook_ >= bookOrder_.size()) return false;
  const long exchangeBook = bookOrder_[nextBook_++];
  lastBook_ = importBook(exchangeBook);
  for (const ExchangeChapter& chapter : chaptersByBook_[exchangeBook]) {
    importChapter(chapter, lastBook_);
  }
  return true;
}

std::optional<long> ShelfPass::newUidOf(long exchangeRecipe) const {
  if (auto it = newUids_.find(exchangeRecipe); it != newUids_.end()) return it->second;
  return std::nullopt;
}

void ShelfPass::renumberRecipeReferences() {
  for (long uid : added_) {
    store::Recipe recipe;
    const long chapter = user_.recipes.load(uid, recipe);
    bool changed = false;
    for (store::RecipeLine& line : recipe.lines) {
      const long code = line.ingredient;
      if (code <= store::kRecipeCodeBase || code >= store::kBrandCodeBase) continue;
      // A reference follows its recipe to the new UID; one to a recipe skipped as a duplicate,
      // or to a recipe the archive does not carry, would name an unrelated recipe: it goes.
      const std::optional<long> target = newUidOf(code - store::kRecipeCodeBase);
      line.ingredient = target && *target > 0 ? *target + store::kRecipeCodeBase : 0;
      changed = changed || line.ingredient != code;
    }
    if (changed) user_.recipes.save(uid, chapter, recipe, false);
  }
}

void ShelfPass::mergeCategories() {
  // Rows grouped by category UID; the header row (reference -1) carries the name.
  std::vector<long> order;
  std::map<long, std::vector<long>> members;
  std::map<long, bookshelf::ShelfItem> headers;
  for (bool on = categories_->first(store::kUidTag); on; on = categories_->next()) {
    const long uid = categories_->number("UID");
    if (!headers.count(uid) && !members.count(uid)) order.push_back(uid);
    const long reference = categories_->number("RECIPE_UID");
    if (reference == bookshelf::kCategoryOwnRecord) {
      headers[uid] = {uid, bookshelf::shelfName(categories_->text("NAME")),
                      categories_->text("BITMAP"), categories_->memo("INFO")};
    } else {
      members[uid].push_back(reference);
    }
  }
  for (long uid : order) {
    const auto header = headers.find(uid);
    if (header == headers.end() || header->second.name.empty()) continue;
    // A category the user already has takes the new members, so no recipe loses a category.
    long category = user_.categories.uidOf(header->second.name);
    if (category < 0) {
      category = user_.categories.add(header->second.name, header->second.info,
                                      rehomeMediaList(header->second.bitmap));
    }
    std::vector<long> recipes;
    for (long reference : members[uid]) {
      const std::optional<long> recipe = newUidOf(reference);
      if (recipe && *recipe > 0) recipes.push_back(*recipe);
    }
    user_.categories.addRecipes(category, recipes);
  }
}

void ShelfPass::close() {
  renumberRecipeReferences();
  mergeCategories();
  user_.recipes.reopen();
}

}  // namespace savora::exchange
