// Saving the recipe window's buffer, the question asked before leaving a changed recipe, and
// finding the recipe before or after it on the bookshelf.
#include <algorithm>

#include "bookshelf/chapter_table.h"
#include "platform/text.h"
#include "recipe/recipe_edit.h"
#include "store/recipe_table.h"

namespace savora::recipe {

// A quantity the program wrote is stored as written ("1 7/8", never "1.875"): the presentation
// keeps it within 5% of the exact amount, so the saved recipe reads as the cook saw it.
store::Recipe RecipeEdit::recordForSaving() const {
  return recipe_;
}

SaveOutcome RecipeEdit::save(std::string_view nameText) {
  SaveOutcome outcome;
  recipe_.name = platform::trim(nameText).substr(0, store::kRecipeNameLength);
  if (recipe_.name.empty()) {
    user_.message("Wait!", "HAND", toolkit::Buttons::Ok, "You must give this recipe a name.");
    outcome.emptyName = true;
    return outcome;
  }

  // The chapter may have gone (deleted on the bookshelf) while the window was open: saving into
  // it would hide the recipe, and hand it to the next chapter given that number.
  if (tables_.chapters.bookOf(recipe_.chapter) == -1) {
    user_.message("Wait!", "HAND", toolkit::Buttons::Ok,
                  "The chapter of this recipe has been deleted, so the recipe cannot be saved.");
    return outcome;
  }
  // A recipe that serves nobody would divide its nutrients by nothing; it is not saved so unseen.
  if (recipe_.servings < 1) {
    if (user_.message("Servings?", "QUESTION", toolkit::Buttons::YesNo, kNoServingsQuestion) !=
        toolkit::Button::Yes) {
      outcome.noServings = true;
      return outcome;
    }
    recipe_.servings = 1;
  }
  // So may the recipe itself, its number even given to another recipe since: that one must not
  // be written over. It is saved as a new recipe.
  if (recipe_.uid != 0) {
    store::Recipe inTable;
    if (tables_.recipes.load(recipe_.uid, inTable) != recipe_.chapter ||
        !platform::equalsIgnoreCase(inTable.name, storedName_)) {
      recipe_.uid = 0;
      saveState_ = SaveState::None;
    }
  }

  long target = recipe_.uid;
  if (recipe_.uid == 0 || recipe_.name != storedName_) {
    if (saveState_ == SaveState::None) {
      saveState_ = recipe_.uid == 0 ? SaveState::New : SaveState::Existing;
    }
    const long sameName = tables_.recipes.find(recipe_.name, recipe_.chapter);
    // The recipe itself (renamed only in letter case) is no other recipe to replace.
    if (sameName != 0 && sameName != recipe_.uid) {
      const std::string question = platform::formatText(
          "The recipe, %s, already exists.\r\nDo you want to replace it?", recipe_.name.c_str());
      switch (
          user_.message("Overwrite Recipe?", "QUESTION", toolkit::Buttons::YesNoCancel, question)) {
        case toolkit::Button::Yes:
          target = sameName;
          break;
        case toolkit::Button::No:
          outcome.result = SaveResult::Declined;
          return outcome;
        default:
          return outcome;
      }
    }
  }

  const store::Recipe record = recordForSaving();
  long saved = 0;
  {
    toolkit::StatusScope status(user_, "Saving", "Saving Recipe...Please Wait.");
    saved = tables_.recipes.save(target, recipe_.chapter, record, true);
  }
  if (saved <= 0) return outcome;

  outcome.result = SaveResult::Saved;
  outcome.appended = target == 0;
  outcome.uid = saved;
  recipe_.uid = saved;
  stored_ = record;
  stored_.uid = saved;
  storedName_ = recipe_.name;
  savedInWindow_ = true;
  return outcome;
}

bool RecipeEdit::offerToSave() {
  if (!hasContent() || !isModified()) return true;
  const std::string name = platform::trim(recipe_.name);
  const std::string question =
      name.empty() ? std::string("\r\nWould you like to save this recipe?")
                   : platform::formatText("\r\nWould you like to save %s?", name.c_str());
  switch (user_.message("Save Recipe?", "QUESTION", toolkit::Buttons::YesNoCancel, question)) {
    case toolkit::Button::No:
      return true;
    case toolkit::Button::Yes:
      return save(recipe_.name).result == SaveResult::Saved;
    default:
      return false;
  }
}

std::optional<long> neighbourRecipe(const std::vector<long>& order, long current,
                                    Direction direction, toolkit::User& user) {
  const auto at = std::find(order.begin(), order.end(), current);
  if (at != order.end()) {
    if (direction == Direction::Previous && at != order.begin()) return *(at - 1);
    if (direction == Direction::Next && at + 1 != order.end()) return *(at + 1);
  }
  user.message("Information", "ASTERISK", toolkit::Buttons::Ok,
               direction == Direction::Previous
                   ? "This is the first recipe listed on the bookshelf!"
                   : "This is the last recipe listed on the bookshelf!");
  return std::nullopt;
}

}  // namespace savora::recipe
