// BOOK_SHELF: the bookshelf window. Four lists (books, the chapters of the selected book,
// categories, recipes), a browse mode that decides which recipes are listed, the commands that
// make, open, copy, file and delete books, chapters, categories and recipes, and drag and drop
// between the lists and onto the waste bin. The same window shows the user's recipes (kind 1700)
// and the catalogue (kind 1500), each on its own tables.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "bookshelf/shelf_drop_rules.h"
#include "bookshelf/shelf_edits.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::food {
class IngredientTable;
}

namespace savora::bookshelf {

extern const toolkit::WindowSpec kBookShelfSpec;

inline constexpr const char* kMenuPickingText = "Choose a recipe to add to your menu.";

// What a bookshelf keeps between openings (the settings file holds it): the three browse-mode
// flags, shared by both bookshelves, and the book, chapter and category last selected on this
// bookshelf (-1 for none).
struct BookshelfMemory {
  bool& cookbookMode;
  bool& chapterMode;
  bool& categoryMode;
  long& book;
  long& chapter;
  long& category;
};

// What the recipe search of the modes "Ingredient" and "Photo" needs besides the shelf's tables.
struct BookshelfSearch {
  food::IngredientTable& foods;
  std::function<bool()> includeInstructions;
  std::function<void(bool)> setIncludeInstructions;
  std::function<void()> countSearch;  // one more search for the use counters
};

// The browse modes in the order RECIPE_BROWSER lists them.
enum class BrowseMode { Cookbook, CookbookAndChapter, Photo, Category, Ingredient };

class BookShelfWindow : public toolkit::UIW_WINDOW {
 public:
  BookShelfWindow(ShelfTables tables, Shelf shelf, BookshelfMemory memory, BookshelfSearch search,
                  toolkit::User& user);
  // Stores the browse mode and the selection in the memory: closing the window and leaving the
  // program both pass here.
  ~BookShelfWindow() override;

  int Event(const toolkit::UI_EVENT& event) override;

  Shelf shelf() const { return shelf_; }
  BrowseMode mode() const { return mode_; }

  // Menu picking: while a menu waits for a recipe the instruction line asks for one (the menu
  // window sets it, and the main window renews it when the bookshelf is asked for again).
  void setMenuPicking(bool waiting);
  bool menuPicking() const { return menuPicking_; }
  // Called when the bookshelf closes while a menu waits for a recipe: closing ends the picking.
  std::function<void()> menuPickingEnded;

  // For the recipe window's previous and next: the recipes of the recipe list, top to bottom;
  // making one of them the list's current entry (false when it is not listed); and listing the
  // recipes again after a recipe was saved.
  std::vector<long> listedRecipes() const;
  bool showRecipe(long uid);
  // The recipe selected in the recipe list; 0 for none.
  long selectedRecipe() const;
  // Print (the print set-up) or Export Text (a text file) of the listed recipes.
  std::function<void(const std::vector<long>& recipes, bool asText)> printRecipes;
  // Sends the listed recipes to the handheld's conduit folder, adding to the recipes waiting
  // there or replacing them.
  std::function<void(const std::vector<long>& recipes, const std::string& conduit, bool append)>
      sendToHandheld;
  void refreshRecipes();
  // After an import: lists the books again and shows the book and chapter (0 for none).
  void showBook(long book, long chapter);
  // Export: writes the selected book into an exchange archive, or the book, the selected
  // chapter or the selected recipe into a recipe text file. Setting it makes the Export button
  // selectable; until then it is not.
  struct ExportChoice {
    long book = 0;
    long chapter = 0;  // 0: none selected
    long recipe = 0;   // 0: none selected
  };
  void setBookExport(std::function<void(const ExportChoice&)> exportBook);

 private:
  struct Selection {
    long uid = -1;  // -1: nothing selected
    std::string name;
    bool any() const { return uid != -1; }
  };
  // The list of books, chapters or categories, its selection, and filling it and choosing in it.
  struct ItemList {
    toolkit::UIW_VT_LIST* list;
    Selection* selection;
    void (BookShelfWindow::*fill)();
    void (BookShelfWindow::*choose)(long uid);
  };
  ItemList itemList(ShelfItemType type);
  // The item type a list of this window lists; nothing for another object.
  std::optional<ShelfItemType> listedType(const toolkit::UI_WINDOW_OBJECT* list) const;

  // Filling the lists; each keeps or drops its selection as the names say.
  void fillBooks();
  void fillChapters();
  void fillCategories();
  void fillRecipes();
  static void reselect(toolkit::UIW_VT_LIST* list, Selection& selection);

  // Choosing in the lists and the browse modes.
  void chooseBook(long uid);
  void chooseChapter(long uid);
  void chooseCategory(long uid);
  void chooseMode(int code);
  void setMode(BrowseMode mode);
  void search(BrowseMode mode);

  // Commands.
  void newRecipe();
  void openItemInformation(ShelfItemType type, bool isNew);
  void openRecipe();
  // Each works on the item a drop names, or else on the selection.
  void deleteBook(long uid);
  void deleteChapter(long uid);
  void deleteCategory(long uid);
  void deleteRecipe(long uid);
  void copyRecipeTo(long recipe, long chapter);
  void copyChapterTo(long chapter, long book);
  void addToCategory(long recipe, long category);
  // Bringing the lists up to date after a change on the shelf; a deleted book, chapter or
  // category of `uid` 0 was the selected one.
  void bookDeleted(long uid);
  void chapterDeleted(long uid);
  void categoryDeleted(long uid);
  void recipeRemoved(long uid);
  void recipeFiled(long category);
  // The category whose recipes the recipe list shows, or 0.
  long listedCategory() const;
  void recipeAdded(const toolkit::UI_EVENT& event);
  void itemSaved(ShelfItemType type, long uid);
  void editFocusedField(int command);
  void drop(const toolkit::UI_EVENT& event);

  // After recipes were deleted elsewhere (a book or chapter with them): drops the entries of
  // recipes that no longer exist from a list of search results.
  void pruneRecipes();
  int mainWindowMode() const { return shelf_ == Shelf::Catalog ? 1 : 0; }
  void remember();

  ShelfTables tables_;
  Shelf shelf_;
  BookshelfMemory memory_;
  BookshelfSearch search_;
  toolkit::User& user_;
  ShelfEdits edits_;
  ShelfDropRules dropRules_;

  BrowseMode mode_ = BrowseMode::Cookbook;
  BrowseMode listMode_ = BrowseMode::Cookbook;  // the last mode that lists by the shelf
  Selection book_, chapter_, category_;
  std::function<void(const ExportChoice&)> exportBook_;
  bool menuPicking_ = false;

  toolkit::UIW_VT_LIST* bookList_;
  toolkit::UIW_VT_LIST* chapterList_;
  toolkit::UIW_VT_LIST* categoryList_;
  toolkit::UIW_VT_LIST* recipeList_;
  toolkit::UIW_STRING* searchString_;
  toolkit::UIW_PROMPT* instructions_;
  toolkit::UIW_COMBO_BOX* browser_;
};

}  // namespace savora::bookshelf
