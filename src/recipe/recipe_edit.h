// The recipe window's edit buffer: the recipe as loaded and as edited, the line editor's
// fields, the line actions (commit, move, insert, delete), saving under the naming and
// overwrite rules, and leaving the recipe. Windows map their fields onto it; it talks to the
// person only through toolkit::User.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "food/ingredient_text.h"
#include "media/media_references.h"
#include "recipe/recipe_tables.h"
#include "store/recipe.h"
#include "toolkit/user.h"

namespace savora::recipe {

// The fields of the line editor, as the window shows them, and the line's selections.
struct LineEditor {
  std::string quantity;
  std::string unitText;
  std::string ingredientText;
  std::string info1;
  std::string info2;
  long selectedBrand = 0;   // brand UID chosen for the line, 0 none
  long selectedRecipe = 0;  // recipe UID the line refers to, 0 none
  long previousUnit = 0;    // the line's unit when it was loaded or last committed

  bool operator==(const LineEditor&) const = default;
};

// Asked when a recipe of 0 servings is saved (title "Servings?").
inline constexpr const char* kNoServingsQuestion =
    "This recipe does not say how many people it serves.\r\nDo you want to save it as serving 1?";

enum class SaveState { None, New, Existing };

enum class SaveResult {
  Saved,
  Declined,  // the user chose not to replace a recipe of the same name: nothing written
  Failed,
};

struct SaveOutcome {
  SaveResult result = SaveResult::Failed;
  bool emptyName = false;   // failed for want of a name: the window puts the focus on NAME
  bool noServings = false;  // the user chose to give the servings first: the window asks for them
  bool appended = false;    // written as a new record: the bookshelf is told of a new recipe
  long uid = 0;
};

enum class Direction { Previous, Next };

// The media references of a recipe, in the order of its MEDIA memo.
using Media = media::MediaKind;

class RecipeEdit {
 public:
  RecipeEdit(RecipeTables& tables, toolkit::User& user) : tables_(tables), user_(user) {}

  // Loads the recipe (uid 0: an empty recipe of the chapter) and makes line 1 current. A recipe
  // that is not in the table leaves the buffer as it was and gives false.
  bool open(long uid, long chapter);

  store::Recipe& recipe() { return recipe_; }
  const store::Recipe& recipe() const { return recipe_; }
  LineEditor& editor() { return editor_; }
  const LineEditor& editor() const { return editor_; }
  int currentLine() const { return current_; }
  SaveState saveState() const { return saveState_; }
  // True once a save succeeded since the recipe was opened (the bookshelf refreshes its lists).
  bool savedInWindow() const { return savedInWindow_; }

  // True when the name, a line, the description, the instructions or a media name is set.
  bool hasContent() const;
  // True when saving would write something other than the stored record.
  bool isModified() const;

  // --- line editor (recipe_line_editor.cpp) ---
  // Makes the line current and fills the editor from it.
  void loadLine(int index);
  // Turns the editor's fields into the current line: unit and ingredient lookups (offering to
  // add unknown names), info texts, the package-size check, usage counts.
  void commitLine();
  // Lines pasted into the quantity field: the line keeps what it had, an empty line takes the
  // first pasted line, and the others fill the lines below it; the last line filled is current.
  void pasteLines(std::string_view text);
  // The user picked `newUnit` in place of `oldUnit`: converts the editor's quantity into the
  // new unit (directly, or across volume and weight through the ingredient's default package).
  // True when the quantity was converted.
  bool changeUnit(long oldUnit, long newUnit);
  // The ingredient the "specify a brand" action opens; 0 (after telling the user) when the
  // editor names no listed ingredient.
  long ingredientForBrand();

  // --- line actions (recipe_edit.cpp) ---
  // Commits the editor and moves to the line (index 0..22). Returns the UID of the recipe the
  // new line refers to, which the window opens in a window of its own; 0 otherwise.
  long selectLine(int index);
  // Commits the editor and moves to the next line, from line 23 back to line 1. With every line
  // in use, line 23 has no next line: false (after telling the user), staying on it.
  bool nextLine();
  // Moves the lines from the current one down and clears it; false (after telling the user)
  // when line 23 is in use, which would be pushed off the recipe.
  bool insertLine();
  // Drops the current line, moving the lines below it up; line 23 becomes empty.
  void deleteLine();
  // Swap the current line with its neighbour, the position moving along; false (after telling
  // the user) at the top or bottom.
  bool moveLineUp();
  bool moveLineDown();
  // Puts a reference to the recipe into the first empty line; false (after telling the user)
  // when every line is in use or the recipe is this one.
  bool addRecipeReference(long recipeUid);

  // The chosen file becomes the photo, sound or video; a photo is kept without ".bmp". False
  // (after telling the user) for a name longer than a media reference holds.
  bool setMedia(Media kind, std::string_view path);
  // The ingredient window of ingredient `opened` changed the lists: it may have merged it into
  // ingredient `now` (the table's lines were moved already) or deleted brands (their lines fell
  // back to the ingredient). The buffer and its stored copy follow, so saving writes nothing back
  // that the table no longer has.
  void ingredientsChanged(long opened, long now);
  // Clears the reference; false (after telling the user) when none is set.
  bool removeMedia(Media kind);

  // The display text of a line (see lineText) and the view tab's text.
  std::string lineText(int index, bool present, size_t maxLength);
  std::string textForm();

  // --- saving and leaving (recipe_save.cpp) ---
  // The record as it is written: every quantity as its text reads (a quantity the program
  // formatted is stored as written, never as raw decimals).
  store::Recipe recordForSaving() const;
  // Saves under the name typed in the window (trimmed).
  SaveOutcome save(std::string_view nameText);
  // Before leaving the recipe (the window has committed the editor): offers to save a modified
  // recipe with content. True when the window may go on (saved, or the user declined); false when
  // it stays.
  bool offerToSave();

 private:
  // A whole line typed into the quantity field ("2 tbsp butter") is cut into the line's fields.
  // True when the field held several lines, which were committed and placed already.
  bool takeTypedLines();
  void placeLines(std::string_view text);
  food::IngredientText splitTypedLine(std::string_view text);
  void fillEditorFromText(std::string_view text);
  void fillEditor(const food::IngredientText& parts);
  void commitEditor();
  long lookUpUnit(const std::string& text);
  long lookUpIngredient(const std::string& text);
  long addIngredient(const std::string& text);
  // A name the user declined to add stays on the line among the first info text's words.
  void keepTypedWords(const std::string& words, bool before);
  void takePreparation();
  bool isFull() const;
  void checkPackageSize(store::RecipeLine& line);
  void countUses(const store::RecipeLine& before, const store::RecipeLine& after);

  RecipeTables& tables_;
  toolkit::User& user_;
  store::Recipe recipe_;
  store::Recipe stored_;    // as loaded or last saved
  std::string storedName_;  // the name loaded or last saved under
  LineEditor editor_;
  int current_ = 0;
  SaveState saveState_ = SaveState::None;
  bool savedInWindow_ = false;
};

// The recipe before or after `current` in the bookshelf's order. Nothing, after telling the
// user, at either end or when `current` is not listed.
std::optional<long> neighbourRecipe(const std::vector<long>& order, long current,
                                    Direction direction, toolkit::User& user);

}  // namespace savora::recipe
