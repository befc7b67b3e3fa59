#include "exchange/text_recipe_writer.h"

#include <algorithm>
#include <ctime>

#include "bookshelf/book_table.h"
#include "bookshelf/category_table.h"
#include "bookshelf/chapter_table.h"
#include "exchange/exchange_scratch.h"
#include "food/brand_table.h"
#include "food/food_group_table.h"
#include "food/ingredient_table.h"
#include "food/unit_table.h"
#include "platform/text.h"

namespace savora::exchange {
namespace {

constexpr size_t kUnitNameWidth = 25;
constexpr long kMostServings = 9999;

store::TableDefinition renamed(store::TableDefinition definition, const char* name) {
  definition.name = name;
  return definition;
}

std::unique_ptr<store::TableModule> created(store::TableStore& store,
                                            store::TableDefinition definition) {
  auto table = std::make_unique<store::TableModule>(store, std::move(definition));
  table->open();
  return table;
}

// A note joins the text before it with a blank, unless it starts with its own ";" or ",".
std::string joinNote(std::string text, std::string_view note) {
  if (note.empty()) return text;
  if (!text.empty() && !note.starts_with(';') && !note.starts_with(',')) text += ' ';
  text += note;
  return text;
}

// An ingredient line that did not fit, as a line of text.
std::string lineText(const recipe_formats::TextRecipeLine& line) {
  std::string text;
  for (const std::string* part : {&line.quantity, &line.unit, &line.info1, &line.ingredient}) {
    if (part->empty()) continue;
    if (!text.empty()) text += ' ';
    text += *part;
  }
  return joinNote(std::move(text), line.info2);
}

struct FittedName {
  std::string name;  // at most the name field's width
  std::string rest;  // what did not fit, for the line's note
};

// An ingredient text longer than the name field is cut at the last blank that fits (at the
// width when there is none), so every character is kept in the name or the note.
FittedName fitIngredientName(const std::string& text) {
  if (text.size() <= food::kIngredientNameLength) return {text, ""};
  size_t cut = text.rfind(' ', food::kIngredientNameLength);
  if (cut == std::string::npos || cut == 0) cut = food::kIngredientNameLength;
  const size_t restStart = text[cut] == ' ' ? cut + 1 : cut;
  return {platform::trimRight(text.substr(0, cut)), text.substr(restStart)};
}

}  // namespace

std::string downloadedBookDescription() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  char date[32];
  std::strftime(date, sizeof date, "%m/%d/%Y", &local);
  return platform::formatText("These recipes were downloaded on %s.", date);
}

TextRecipeWriter::TextRecipeWriter(store::TableStore& store, std::string_view bookName)
    : store_(store) {
  removeExchangeFiles();
  using bookshelf::Shelf;
  units_ = created(store, food::unitTableDefinition("unitx"));
  foods_ = created(store, food::ingredientTableDefinition("foodx"));
  groups_ = created(store, renamed(food::foodGroupTableDefinition(), "catx"));
  brands_ = created(store, food::brandTableDefinition("brandx"));
  books_ = created(store, renamed(bookshelf::bookTableDefinition(Shelf::Recipes), "bookx"));
  chapters_ =
      created(store, renamed(bookshelf::chapterTableDefinition(Shelf::Recipes), "chapterx"));
  categories_ =
      created(store, renamed(bookshelf::categoryTableDefinition(Shelf::Recipes), "categx"));
  recipeTable_ = std::make_unique<store::RecipeTable>(store, "recip65x");
  recipeTable_->open();
  books_->appendStart(book_);
  books_->setText("NAME", bookName);
  books_->setMemo("INFO", downloadedBookDescription());
  books_->append();
}

TextRecipeWriter::~TextRecipeWriter() {
  close();
}

void TextRecipeWriter::close() {
  for (auto* table : {units_.get(), foods_.get(), groups_.get(), brands_.get(), books_.get(),
                      chapters_.get(), categories_.get()}) {
    if (table) table->close();
  }
  if (recipeTable_) recipeTable_->close();
  store_.user().closeStatus();
}

long TextRecipeWriter::unitUid(const std::string& text) {
  if (text.empty()) return 0;
  const std::string name = text.substr(0, kUnitNameWidth);
  auto [it, added] = unitUids_.try_emplace(name, long(unitUids_.size()) + 1);
  if (added) {
    units_->appendStart(it->second);
    units_->setText("NAME", name);
    units_->setText("ABBREV", name);
    units_->setNumber("MEASURE", 2);
    units_->append();
  }
  return it->second;
}

long TextRecipeWriter::ingredientUid(const std::string& text) {
  if (text.empty()) return 0;
  const std::string name = text.substr(0, food::kIngredientNameLength);
  // Ingredient codes stop below the recipe codes; a file naming more distinct ingredients
  // leaves the rest as text of the line.
  if (!ingredientUids_.contains(name) && long(ingredientUids_.size()) + 1 >= store::kRecipeCodeBase)
    return 0;
  auto [it, added] = ingredientUids_.try_emplace(name, long(ingredientUids_.size()) + 1);
  if (added) {
    foods_->appendStart(it->second);
    foods_->setText("NAME", name);
    foods_->append();
  }
  return it->second;
}

long TextRecipeWriter::chapterUid(const std::string& text) {
  const std::string name = bookshelf::shelfName(text.empty() ? kNoCategoryChapter : text);
  auto [it, added] =
      chapterUids_.try_emplace(platform::toLower(name), long(chapterUids_.size()) + 1);
  if (added) {
    chapters_->appendStart(it->second);
    chapters_->setNumber("BOOK_UID", double(book_));
    chapters_->setText("NAME", name);
    chapters_->append();
  }
  return it->second;
}

void TextRecipeWriter::addToCategory(const std::string& text, long recipe) {
  const std::string name = bookshelf::shelfName(text);
  if (name.empty()) return;
  auto [it, added] = categoryUids_.try_emplace(platform::toLower(name), nextCategory_);
  auto row = [&](long reference) {
    categories_->appendStart(it->second);
    categories_->setText("NAME", name);
    categories_->setNumber("RECIPE_UID", double(reference));
    categories_->append();
  };
  if (added) {
    ++nextCategory_;
    row(bookshelf::kCategoryOwnRecord);
  }
  row(recipe);
}

void TextRecipeWriter::add(const recipe_formats::TextRecipe& text) {
  store::Recipe recipe;
  recipe.name = text.name.substr(0, store::kRecipeNameLength);
  store_.user().showStatus(kExtractingTitle,
                           platform::formatText(kExtractingText, recipe.name.c_str()));
  recipe.description = text.description;
  recipe.servings = std::clamp(text.servings, 1L, kMostServings);
  recipe.media[0] = text.photo.substr(0, store::kMediaReferenceLength);
  std::string overflow;
  size_t kept = 0;
  for (const recipe_formats::TextRecipeLine& line : text.lines) {
    if (kept == store::kRecipeLines) {
      overflow += lineText(line) + "\r\n";
      continue;
    }
    store::RecipeLine& target = recipe.lines[kept++];
    target.quantity = line.quantity.substr(0, store::kQuantityLength);
    target.unit = unitUid(line.unit);
    const FittedName fitted = fitIngredientName(line.ingredient);
    target.ingredient = ingredientUid(fitted.name);
    target.info1 = line.info1;
    target.info2 = joinNote(fitted.rest, line.info2);
    if (target.ingredient == 0 && !line.ingredient.empty()) {
      target.info1 = (line.info1.empty() ? "" : line.info1 + " ") + line.ingredient;
      target.info2 = line.info2;
    }
  }
  recipe.instructions =
      overflow.empty() ? text.instructions : overflow + "\r\n" + text.instructions;
  const long uid = ++recipes_;
  recipeTable_->save(uid, chapterUid(text.chapter), recipe, false);
  for (const std::string& category : text.categories) addToCategory(category, uid);
}

}  // namespace savora::exchange
