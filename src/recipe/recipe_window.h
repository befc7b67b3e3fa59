// RECIPE_WINDOW: one recipe, on three tabs. The view tab shows it as text; the edit tab edits its
// name, description, instructions, servings and 23 ingredient lines through the line editor; the
// picture tab shows its photo and adds, removes and plays its photo, sound and video. The window
// maps its fields onto the edit buffer (RecipeEdit), which does the work.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "media/media_lookup.h"
#include "media/media_tab_widget.h"
#include "recipe/recipe_edit.h"
#include "toolkit/media_player.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

class QLineEdit;
class QString;

namespace savora::bookshelf {
class BookShelfWindow;
}

namespace savora::recipe {

extern const toolkit::WindowSpec kRecipeWindowSpec;

// What the window works with besides the tables; everything outlives the window.
class RecipeWindow;

struct RecipeWindowServices {
  RecipeTables tables;
  toolkit::User& user;
  media::MediaLookup media;
  // The catalogue's recipes (kind 1600) rather than the user's (kind 400).
  bool catalog = false;
  // Plays a video in the video window.
  std::function<void(const std::string& file)> playVideo{};
  // Opens another recipe in a recipe window of its own (a line that refers to it was chosen).
  std::function<void(long recipe)> openRecipe{};
  // Opens the ingredient's information window; `chosen` receives the brand chosen there, and
  // `listChanged` the ingredient to show when it changed the lists (a rename, a merge into
  // another ingredient, a deleted brand).
  std::function<void(long ingredient, std::function<void(long brand)> chosen,
                     std::function<void(long now)> listChanged)>
      specifyBrand{};
  // Opens the print set-up for the recipe as the window shows it; null: printing is not offered.
  std::function<void(const store::Recipe& recipe)> print{};
  // Opens a shopping list of the recipe as the window shows it; null: List is not offered.
  std::function<void(RecipeWindow& window)> list{};
  // Sends the recipe as the window shows it to the handheld's conduit folder, adding to the
  // recipes waiting there or replacing them; null: the handheld is not offered.
  std::function<void(const store::Recipe& recipe, const std::string& conduit, bool append)>
      sendToHandheld{};
  // Opens the e-mail window with the saved recipe; null: E-mail is not offered.
  std::function<void(const store::Recipe& recipe)> mail{};
  // Opens or fronts the bookshelf, on which the user chooses a recipe to use as an ingredient.
  std::function<void()> showBookshelf{};
  // Walks the recipe's foods that have no nutrients and gives them USDA values; `changed` is
  // told after each. Null: not offered.
  std::function<void(const store::Recipe& recipe, std::function<void()> changed)> usdaNutrients{};
  // The program's exit state (1000 while the program leaves after the user said so), or null: a
  // refused save sets it back to 0.
  int* exitState = nullptr;
};

class RecipeWindow : public toolkit::UIW_WINDOW {
 public:
  // Shows recipe `uid` (0: a new recipe in `chapter`). Without a player, sounds play through Qt.
  RecipeWindow(RecipeWindowServices services, long chapter, long uid,
               std::unique_ptr<toolkit::MediaPlayer> player = nullptr);

  int Event(const toolkit::UI_EVENT& event) override;
  bool hasUnsavedChanges() const override;

  const RecipeEdit& edit() const { return edit_; }
  // True while the window waits for a recipe chosen on the bookshelf to use as an ingredient.
  bool choosingRecipe() const { return choosingRecipe_; }

 private:
  // Loads a recipe into the buffer and shows it on every tab.
  // False (after telling the user) when the recipe is not in the table; nothing changes then.
  bool load(long uid, long chapter);
  void showRecipe();

  // Between the widgets and the buffer.
  void pullFields();  // name, description, instructions
  void pullEditor();  // the line editor's fields
  void pushEditor();
  void showLines();
  void showText();
  void showServings();
  void fillUnitChoices();
  void fillIngredientChoices();
  void listNewNames();

  // Commits the line editor; every action that leaves the line, saves or closes begins here.
  void commit();
  // Takes the fields in, runs the action on the buffer and shows the lines and editor again;
  // a line action also puts the focus back on the quantity.
  void changeLines(const std::function<void()>& action);
  void lineAction(const std::function<void()>& action);
  void selectLine(int row);
  void pasteLines(QLineEdit* field, const QString& withPaste);
  void unitPicked(long unit);
  void chooseRecipeAsIngredient();
  void recipeChosen(long uid);
  void specifyBrand();
  void ingredientsChanged(long opened, long now);
  void servings();
  void usdaNutrients();

  bool save();
  void saveRequested();
  // Offers to save, tells the bookshelf of a save; false when the user chose to stay.
  bool leaveRecipe();
  void moveOnBookshelf(Direction direction);
  void loadFromBookshelf(long chapter, long uid);
  void close();
  bookshelf::BookShelfWindow* bookshelf() const;

  RecipeWindowServices services_;
  toolkit::User& user_;
  RecipeEdit edit_;
  media::MediaTab mediaTab_;  // the picture tab, on the recipe's media
  LineEditor shownEditor_;    // the editor as last shown, to tell typing from nothing
  long shownUnit_ = 0;        // the unit the unit box showed before the user picked another
  bool choosingRecipe_ = false;
  bool skipNextLoad_ = false;  // the recipe just taken as an ingredient is not loaded as well
  struct {
    long ingredient = 0;
    std::string text;  // the ingredient box when the ingredient window was opened
  } brandFor_;

  toolkit::UIW_STRING* name_;
  toolkit::UIW_TEXT* description_;
  toolkit::UIW_TEXT* instructions_;
  toolkit::UIW_VT_LIST* lines_;
  toolkit::UIW_STRING* quantity_;
  toolkit::UIW_COMBO_BOX* unit_;
  toolkit::UIW_COMBO_BOX* ingredient_;
  toolkit::UIW_STRING* info1_;
  toolkit::UIW_STRING* info2_;
};

}  // namespace savora::recipe
