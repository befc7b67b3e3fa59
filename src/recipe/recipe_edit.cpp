#include "recipe/recipe_edit.h"

#include <algorithm>
#include <utility>

#include "food/brand_table.h"
#include "recipe/recipe_line_text.h"
#include "store/recipe_table.h"

namespace savora::recipe {
namespace {

constexpr int kLastLine = store::kRecipeLines - 1;

}  // namespace

bool RecipeEdit::open(long uid, long chapter) {
  store::Recipe loaded;
  if (uid != 0) {
    chapter = tables_.recipes.load(uid, loaded);
    if (chapter == 0) return false;
  }
  loaded.chapter = chapter;
  recipe_ = loaded;
  stored_ = loaded;
  storedName_ = loaded.name;
  saveState_ = SaveState::None;
  savedInWindow_ = false;
  loadLine(0);
  return true;
}

bool RecipeEdit::hasContent() const {
  const auto anyLine = std::any_of(recipe_.lines.begin(), recipe_.lines.end(),
                                   [](const auto& line) { return !lineIsEmpty(line); });
  const auto anyMedia = std::any_of(recipe_.media.begin(), recipe_.media.end(),
                                    [](const auto& name) { return !name.empty(); });
  return !recipe_.name.empty() || anyLine || !recipe_.description.empty() ||
         !recipe_.instructions.empty() || anyMedia;
}

bool RecipeEdit::isModified() const {
  return store::recipesDiffer(recordForSaving(), stored_);
}

long RecipeEdit::selectLine(int index) {
  if (index < 0 || index > kLastLine) return 0;
  commitLine();
  loadLine(index);
  const IngredientTarget target = decodeIngredientCode(recipe_.lines[current_].ingredient);
  return target.kind == IngredientTarget::Kind::Recipe ? target.uid : 0;
}

bool RecipeEdit::nextLine() {
  commitLine();
  if (current_ == kLastLine && isFull()) {
    user_.message("Recipe Full!", "ASTERISK", toolkit::Buttons::Ok,
                  "You cannot add any more items to this recipe.");
    loadLine(current_);
    return false;
  }
  loadLine(current_ == kLastLine ? 0 : current_ + 1);
  return true;
}

bool RecipeEdit::isFull() const {
  return std::none_of(recipe_.lines.begin(), recipe_.lines.end(), lineIsEmpty);
}

bool RecipeEdit::insertLine() {
  commitLine();
  auto& lines = recipe_.lines;
  // Inserting would push the last line off the recipe: refused rather than losing it.
  if (!lineIsEmpty(lines[kLastLine])) {
    user_.message("Recipe Full!", "ASTERISK", toolkit::Buttons::Ok,
                  "You cannot add any more items to this recipe.");
    return false;
  }
  std::move_backward(lines.begin() + current_, lines.end() - 1, lines.end());
  lines[current_] = {};
  loadLine(current_);
  return true;
}

void RecipeEdit::deleteLine() {
  // The editor's fields belong to the line that goes: nothing to commit.
  auto& lines = recipe_.lines;
  std::move(lines.begin() + current_ + 1, lines.end(), lines.begin() + current_);
  lines[kLastLine] = {};
  loadLine(current_);
}

bool RecipeEdit::moveLineUp() {
  if (current_ == 0) {
    user_.message("Wait!", "ASTERISK", toolkit::Buttons::Ok,
                  "This ingredient is at the top of the list.");
    return false;
  }
  commitLine();
  std::swap(recipe_.lines[current_], recipe_.lines[current_ - 1]);
  loadLine(current_ - 1);
  return true;
}

bool RecipeEdit::moveLineDown() {
  if (current_ == kLastLine) {
    user_.message("Wait!", "ASTERISK", toolkit::Buttons::Ok,
                  "This ingredient is at the bottom of the list.");
    return false;
  }
  commitLine();
  std::swap(recipe_.lines[current_], recipe_.lines[current_ + 1]);
  loadLine(current_ + 1);
  return true;
}

bool RecipeEdit::addRecipeReference(long recipeUid) {
  commitLine();
  if (recipeUid == recipe_.uid) {
    // It would contain itself, and every list that expands it would never end.
    user_.message("Wait!", "ASTERISK", toolkit::Buttons::Ok,
                  "A recipe cannot be an ingredient of itself.");
    return false;
  }
  for (int i = 0; i <= kLastLine; ++i) {
    if (!lineText(i, false, kLineTextWidth).empty()) continue;
    recipe_.lines[i] = {};
    recipe_.lines[i].ingredient = encodeIngredientCode({IngredientTarget::Kind::Recipe, recipeUid});
    loadLine(current_);
    return true;
  }
  user_.message("Recipe Full!", "ASTERISK", toolkit::Buttons::Ok,
                "You cannot add any more items to this recipe.");
  return false;
}

bool RecipeEdit::setMedia(Media kind, std::string_view path) {
  return media::setMediaReference(recipe_.media, kind, path, user_);
}

void RecipeEdit::ingredientsChanged(long opened, long now) {
  auto remap = [this, opened, now](store::Recipe& recipe) {
    for (store::RecipeLine& line : recipe.lines) {
      const IngredientTarget target = decodeIngredientCode(line.ingredient);
      // Merged into another ingredient: the table moved the stored lines already.
      if (target.kind == IngredientTarget::Kind::Ingredient && target.uid == opened)
        line.ingredient = now;
      // A brand deleted there: its lines fall back to the ingredient, as the table's do.
      if (target.kind == IngredientTarget::Kind::Brand && !tables_.brands.findUid(target.uid))
        line.ingredient = now;
    }
  };
  remap(recipe_);
  remap(stored_);
  if (editor_.selectedBrand != 0 && !tables_.brands.findUid(editor_.selectedBrand))
    editor_.selectedBrand = 0;
}

bool RecipeEdit::removeMedia(Media kind) {
  return media::clearMediaReference(recipe_.media, kind, user_);
}

std::string RecipeEdit::lineText(int index, bool present, size_t maxLength) {
  return recipe::lineText(tables_, recipe_.lines.at(size_t(index)), present, maxLength);
}

std::string RecipeEdit::textForm() {
  return recipeTextForm(tables_, recipe_);
}

}  // namespace savora::recipe
