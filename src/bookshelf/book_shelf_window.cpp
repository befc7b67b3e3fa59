#include "bookshelf/book_shelf_window.h"

#include <QTextEdit>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "bookshelf/book_info_window.h"
#include "bookshelf/recipe_list_fill.h"
#include "bookshelf/shelf_item_kind.h"
#include "codes/program_codes.h"
#include "platform/log.h"
#include "platform/text.h"
#include "search/recipe_search_window.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/focused_edit.h"
#include "toolkit/window_manager.h"

namespace savora::bookshelf {

using namespace savora::toolkit;

namespace {

using namespace savora::codes;
using namespace savora::codes::book_shelf_window;

// RECIPE_BROWSER, in its order: the mode, its text and the command choosing it sends.
struct ModeEntry {
  BrowseMode mode;
  const char* text;
  int command;
};
constexpr ModeEntry kModes[] = {
    {BrowseMode::Cookbook, "Cookbook", kModeCookbook},
    {BrowseMode::CookbookAndChapter, "Cookbook and Chapter", kModeCookbookAndChapter},
    {BrowseMode::Photo, "Photo", kModePhoto},
    {BrowseMode::Category, "Category", kModeCategory},
    {BrowseMode::Ingredient, "Ingredient", kSearchByIngredient},
};

// Commands the program hands over later: archive export (setBookExport).
constexpr const char* kLaterButtons[] = {"EXPORT_BUTTON"};

// The identifier a command names explicitly (drops name the dragged item), or 0 for "the
// selected one".
long named(const UI_EVENT& event, int index) {
  return event.values[size_t(index)] > 0 ? event.values[size_t(index)] : 0;
}

}  // namespace

const WindowSpec kBookShelfSpec{"BOOK_SHELF",
                                {{"BOOK_LIST", 0, ObjectKind::List},
                                 {"CHAPTER_LIST", 0, ObjectKind::List},
                                 {"CATEGORY_LIST", 0, ObjectKind::List},
                                 {"RECIPE_LIST", 0, ObjectKind::List},
                                 {"SEARCH_STRING", 0, ObjectKind::String},
                                 {"USER_INSTRUCTIONS", 0, ObjectKind::Prompt},
                                 {"RECIPE_BROWSER", 0, ObjectKind::Combo},
                                 {"DELETE_BUTTON", 0, ObjectKind::Button},
                                 {"PRINT_BUTTON", 0, ObjectKind::Button},
                                 {"EXPORT_TEXT_BUTTON", 0, ObjectKind::Button},
                                 {"EXPORT_BUTTON", 0, ObjectKind::Button},
                                 {"HANDHELD_BUTTON", 0, ObjectKind::Button}}};

BookShelfWindow::BookShelfWindow(ShelfTables tables, Shelf shelf, BookshelfMemory memory,
                                 BookshelfSearch search, User& user)
    : UIW_WINDOW(kBookShelfSpec.resource),
      tables_(tables),
      shelf_(shelf),
      memory_(memory),
      search_(std::move(search)),
      user_(user),
      edits_(tables, user),
      dropRules_(tables, shelf, user) {
  resolve(kBookShelfSpec);
  bookList_ = Get<UIW_VT_LIST>("BOOK_LIST");
  chapterList_ = Get<UIW_VT_LIST>("CHAPTER_LIST");
  categoryList_ = Get<UIW_VT_LIST>("CATEGORY_LIST");
  recipeList_ = Get<UIW_VT_LIST>("RECIPE_LIST");
  searchString_ = Get<UIW_STRING>("SEARCH_STRING");
  instructions_ = Get<UIW_PROMPT>("USER_INSTRUCTIONS");
  browser_ = Get<UIW_COMBO_BOX>("RECIPE_BROWSER");
  for (const char* name : kLaterButtons) Get(name)->setSelectable(false);
  if (shelf_ == Shelf::Catalog) {
    setNumberID(kKindCatalog);
    setTitle("Recipe Catalog");
  }

  for (const ModeEntry& entry : kModes) browser_->add({entry.text, entry.command});
  if (memory_.chapterMode) {
    setMode(BrowseMode::CookbookAndChapter);
  } else if (memory_.categoryMode) {
    setMode(BrowseMode::Category);
  } else {
    setMode(BrowseMode::Cookbook);
  }

  WaitPointer wait(user_);
  fillBooks();
  if (memory_.book != -1 && memory_.chapter != -1) {
    book_ = {memory_.book, ""};
    reselect(bookList_, book_);
  }
  fillChapters();
  if (book_.any() && memory_.chapter != -1) {
    chapter_ = {memory_.chapter, ""};
    reselect(chapterList_, chapter_);
  }
  fillCategories();
  if (memory_.category != -1) {
    category_ = {memory_.category, ""};
    reselect(categoryList_, category_);
  }
  fillRecipes();
}

BookShelfWindow::~BookShelfWindow() {
  try {
    remember();
  } catch (const std::exception& error) {
    // A table that failed on the way out must not stop the window from closing.
    platform::logFailure(std::string("the bookshelf's selection is not remembered: ") +
                         error.what());
  }
  if (menuPicking_ && menuPickingEnded) menuPickingEnded();
}

void BookShelfWindow::remember() {
  memory_.cookbookMode = listMode_ == BrowseMode::Cookbook;
  memory_.chapterMode = listMode_ == BrowseMode::CookbookAndChapter;
  memory_.categoryMode = listMode_ == BrowseMode::Category;
  // By name: an item renamed or deleted while the window was open is found again, or gives -1.
  memory_.book = book_.any() ? tables_.books.uidOf(book_.name) : -1;
  memory_.chapter = book_.any() && chapter_.any() && memory_.book != -1
                        ? tables_.chapters.uidOf(chapter_.name, memory_.book)
                        : -1;
  memory_.category = category_.any() ? tables_.categories.uidOf(category_.name) : -1;
}

void BookShelfWindow::setMenuPicking(bool waiting) {
  menuPicking_ = waiting;
  instructions_->setText(waiting ? kMenuPickingText : "");
}

// ---------------------------------------------------------------------------------------------
// Lists

void BookShelfWindow::reselect(UIW_VT_LIST* list, Selection& selection) {
  const int row = selection.any() ? list->findId(selection.uid) : -1;
  list->setCurrent(row);
  selection = row < 0 ? Selection{} : Selection{selection.uid, list->entry(row).text};
}

void BookShelfWindow::fillBooks() {
  bookList_->clear();
  for (const ShelfEntry& entry : tables_.books.entriesByName())
    bookList_->add({entry.name, entry.uid});
  reselect(bookList_, book_);
}

void BookShelfWindow::fillChapters() {
  chapterList_->clear();
  if (book_.any()) {
    for (const ShelfEntry& entry : tables_.chapters.chaptersOf(book_.uid))
      chapterList_->add({entry.name, entry.uid});
  }
  reselect(chapterList_, chapter_);
}

void BookShelfWindow::fillCategories() {
  categoryList_->clear();
  // NAME_TAG is unique: a category name is listed once, however many categories share it.
  for (const ShelfEntry& entry : tables_.categories.entriesByName())
    categoryList_->add({entry.name, entry.uid});
  reselect(categoryList_, category_);
}

void BookShelfWindow::fillRecipes() {
  // The search modes list what the search found; only the shelf modes list by the selection.
  if (mode_ == BrowseMode::Photo || mode_ == BrowseMode::Ingredient) return;
  long book = kAnyItem, chapter = kAnyItem, category = kAnyItem;
  if (mode_ == BrowseMode::Cookbook || mode_ == BrowseMode::CookbookAndChapter) {
    if (book_.any()) book = book_.uid;
  }
  if (mode_ == BrowseMode::CookbookAndChapter && chapter_.any()) chapter = chapter_.uid;
  if (mode_ == BrowseMode::Category && category_.any()) category = category_.uid;
  WaitPointer wait(user_);
  recipeList_->clear();
  for (const ShelfEntry& entry : fillRecipeList(book, chapter, category, tables_.chapters,
                                                tables_.categories, tables_.recipes)) {
    recipeList_->add({entry.name, entry.uid, kRecipeChosen});
  }
  recipeList_->setCurrent(recipeList_->count() > 0 ? 0 : -1);
}

void BookShelfWindow::pruneRecipes() {
  for (int row = recipeList_->count() - 1; row >= 0; --row) {
    if (!tables_.recipes.seek(recipeList_->entry(row).id)) recipeList_->remove(row);
  }
}

// ---------------------------------------------------------------------------------------------
// Choosing

void BookShelfWindow::chooseBook(long uid) {
  if (uid == book_.uid) return;
  book_ = {uid, ""};
  reselect(bookList_, book_);
  chapter_ = {};
  fillChapters();
  if (mode_ != BrowseMode::Cookbook && mode_ != BrowseMode::CookbookAndChapter)
    setMode(BrowseMode::Cookbook);
  fillRecipes();
}

void BookShelfWindow::showBook(long book, long chapter) {
  fillBooks();
  book_ = {};
  chooseBook(book);
  if (chapter > 0) chooseChapter(chapter);
}

void BookShelfWindow::chooseChapter(long uid) {
  if (uid == chapter_.uid) return;
  chapter_ = {uid, ""};
  reselect(chapterList_, chapter_);
  setMode(BrowseMode::CookbookAndChapter);
  fillRecipes();
}

void BookShelfWindow::chooseCategory(long uid) {
  category_ = {uid, ""};
  reselect(categoryList_, category_);
  setMode(BrowseMode::Category);
  fillRecipes();
}

void BookShelfWindow::setMode(BrowseMode mode) {
  mode_ = mode;
  if (mode == BrowseMode::Cookbook || mode == BrowseMode::CookbookAndChapter ||
      mode == BrowseMode::Category) {
    listMode_ = mode;
  }
  browser_->setCurrent(int(mode));
}

void BookShelfWindow::chooseMode(int code) {
  for (const ModeEntry& entry : kModes) {
    if (entry.command != code) continue;
    if (entry.mode == BrowseMode::Photo || entry.mode == BrowseMode::Ingredient) {
      search(entry.mode);
    } else {
      setMode(entry.mode);
      fillRecipes();
    }
  }
}

void BookShelfWindow::search(BrowseMode mode) {
  setMode(mode);
  if (mode == BrowseMode::Photo) searchString_->setText(search::kPhotoSearchText);
  const std::string text = searchString_->text();
  if (platform::trim(text).empty()) {
    user_.message("Wait!", "HAND", Buttons::Ok, "Nothing to search for!");
    return;
  }
  recipeList_->clear();
  search::startRecipeSearch({tables_.recipes, search_.foods, user_, text, recipeList_,
                             search_.includeInstructions, search_.setIncludeInstructions,
                             search_.countSearch});
}

// ---------------------------------------------------------------------------------------------
// Commands

void BookShelfWindow::setBookExport(std::function<void(const ExportChoice&)> exportBook) {
  exportBook_ = std::move(exportBook);
  Get("EXPORT_BUTTON")->setSelectable(exportBook_ != nullptr);
}

int BookShelfWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kPrint:
      if (!printRecipes) break;
      if (listedRecipes().empty()) {
        user_.message("Wait!", "HAND", Buttons::Ok, "There is nothing to print.");
      } else if (user_.message("Print Recipes?", "QUESTION", Buttons::YesNo,
                               "Are you sure you want to print all the recipes that are "
                               "listed?") == Button::Yes) {
        printRecipes(listedRecipes(), false);
      }
      break;
    case kExportText:
      if (printRecipes && !listedRecipes().empty()) printRecipes(listedRecipes(), true);
      break;
    case kHandheldDownload:  // the main window asks which handheld user, then sends the export
      UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(kHandheldDownload));
      break;
    case kHandheldExport:
      if (sendToHandheld) sendToHandheld(listedRecipes(), event.text, event.values[0] != 0);
      break;
    case kExportBook:
      if (!exportBook_) break;
      if (book_.uid > 0) {
        const bool chapterShown = mode_ == BrowseMode::CookbookAndChapter;
        exportBook_({book_.uid, chapterShown ? std::max(chapter_.uid, 0L) : 0, selectedRecipe()});
      } else {
        user_.message("Wait!", "ASTERISK", Buttons::Ok, "Please select the cookbook to export.");
      }
      break;
    case kBookChosen:
      chooseBook(event.values[1]);
      break;
    case kChapterChosen:
      chooseChapter(event.values[1]);
      break;
    case kCategoryChosen:
      chooseCategory(event.values[1]);
      break;
    case kBrowserChosen:
      chooseMode(int(event.values[1]));
      break;
    case kModeCookbook:
    case kModeCookbookAndChapter:
    case kModeCategory:
    case kModePhoto:
    case kSearchByIngredient:
      chooseMode(event.type);
      break;
    case kNewRecipe:
      newRecipe();
      break;
    case kNewBook:
    case kNewChapter:
    case kNewCategory:
      openItemInformation(ShelfItemType(event.type - kNewBook), true);
      break;
    case kOpenBook:
    case kOpenChapter:
    case kOpenCategory:
      openItemInformation(ShelfItemType(event.type - kOpenBook), false);
      break;
    case kOpenRecipeButton:
    case kRecipeChosen:
    case kOpenRecipeToo:
      openRecipe();
      break;
    case kDeleteBook:
      deleteBook(named(event, 0));
      break;
    case kDeleteChapter:
      deleteChapter(named(event, 0));
      break;
    case kDeleteCategory:
      deleteCategory(named(event, 0));
      break;
    case kDeleteRecipe:
      deleteRecipe(named(event, 0));
      break;
    case kCopyRecipe:
      copyRecipeTo(named(event, 0), named(event, 1));
      break;
    case kCopyChapter:
      copyChapterTo(named(event, 0), named(event, 1));
      break;
    case kAddToCategory:
      addToCategory(named(event, 0), named(event, 1));
      break;
    case kRecipeAdded:
      recipeAdded(event);
      break;
    case kShelfItemSaved:
      itemSaved(ShelfItemType(event.values[0]), event.values[1]);
      break;
    case kCut:
    case kCopy:
    case kPaste:
    case kClear:
      editFocusedField(event.type);
      break;
    case kDropOnBooks:
    case kDropOnChapters:
    case kDropOnCategories:
    case kDropOnRecipes:
    case kDropOnWasteBin:
      drop(event);
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void BookShelfWindow::newRecipe() {
  if (!book_.any() || !chapter_.any()) {
    user_.message("Create a Chapter", "INFORMATION", Buttons::Ok,
                  "You must create a chapter for\r\nthis recipe to go into first.");
    return;
  }
  UI_EVENT_MANAGER::instance().post(nullptr,
                                    UI_EVENT(kOpenRecipe, chapter_.uid, 0, mainWindowMode()));
}

void BookShelfWindow::openItemInformation(ShelfItemType type, bool isNew) {
  const Selection* selected = itemList(type).selection;
  if (!isNew && !selected->any()) {
    user_.message("Nothing to open", "INFORMATION", Buttons::Ok, shelfItemKind(type).openHint);
    return;
  }
  if (isNew && type == ShelfItemType::Chapter && !book_.any()) {
    // A chapter lives in a book: without one selected there is nowhere to put it.
    user_.message("Create a Book", "INFORMATION", Buttons::Ok,
                  "You must create a book for\r\nthis chapter to go into first.");
    return;
  }
  const long book = type == ShelfItemType::Chapter ? book_.uid : 0;
  UI_EVENT_MANAGER::instance().post(
      nullptr, itemInformationRequest(type, isNew ? 0 : selected->uid, book, shelf_));
}

void BookShelfWindow::openRecipe() {
  if (recipeList_->current() < 0) {
    user_.message("Wait!", "HAND", Buttons::Ok, "No recipe has been selected.");
    return;
  }
  const long chapter =
      mode_ == BrowseMode::CookbookAndChapter && chapter_.any() ? chapter_.uid : -1;
  UI_EVENT_MANAGER::instance().post(
      nullptr, UI_EVENT(kOpenRecipe, chapter, recipeList_->currentId(), mainWindowMode()));
}

std::vector<long> BookShelfWindow::listedRecipes() const {
  std::vector<long> uids;
  for (const ListEntry& entry : recipeList_->entries()) uids.push_back(entry.id);
  return uids;
}

void BookShelfWindow::refreshRecipes() {
  const long kept = selectedRecipe();  // the recipe the user was at stays chosen
  fillRecipes();
  if (kept != 0) showRecipe(kept);
}

bool BookShelfWindow::showRecipe(long uid) {
  const int index = recipeList_->findId(uid);
  if (index < 0) return false;
  recipeList_->setCurrent(index);
  return true;
}

long BookShelfWindow::selectedRecipe() const {
  return recipeList_->current() >= 0 ? recipeList_->currentId() : 0;
}

long BookShelfWindow::listedCategory() const {
  return mode_ == BrowseMode::Category && category_.any() ? category_.uid : 0;
}

void BookShelfWindow::deleteBook(long uid) {
  if (edits_.deleteBook(uid ? uid : book_.uid)) bookDeleted(uid);
}

void BookShelfWindow::bookDeleted(long uid) {
  if (uid == 0 || uid == book_.uid) book_ = chapter_ = {};
  fillBooks();
  fillChapters();
  fillRecipes();
  pruneRecipes();
}

void BookShelfWindow::deleteChapter(long uid) {
  if (edits_.deleteChapter(uid ? uid : chapter_.uid)) chapterDeleted(uid);
}

void BookShelfWindow::chapterDeleted(long uid) {
  if (uid == 0 || uid == chapter_.uid) chapter_ = {};
  fillChapters();
  fillRecipes();
  pruneRecipes();
}

void BookShelfWindow::deleteCategory(long uid) {
  if (edits_.deleteCategory(uid ? uid : category_.uid)) categoryDeleted(uid);
}

void BookShelfWindow::categoryDeleted(long uid) {
  if (uid == 0 || uid == category_.uid) category_ = {};
  fillCategories();
  fillRecipes();
}

void BookShelfWindow::deleteRecipe(long uid) {
  if (uid == 0) uid = selectedRecipe();
  if (edits_.deleteListedRecipe(uid, listedCategory())) recipeRemoved(uid);
}

void BookShelfWindow::recipeRemoved(long uid) {
  const int row = recipeList_->findId(uid);
  if (row < 0) return;
  recipeList_->remove(row);
  recipeList_->setCurrent(std::min(row, recipeList_->count() - 1));
}

void BookShelfWindow::copyRecipeTo(long recipe, long chapter) {
  if (edits_.copyRecipeTo(recipe ? recipe : selectedRecipe(), chapter ? chapter : chapter_.uid))
    fillRecipes();
}

void BookShelfWindow::copyChapterTo(long chapter, long book) {
  if (!edits_.copyChapterTo(chapter ? chapter : chapter_.uid, book ? book : book_.uid)) return;
  fillChapters();
  fillRecipes();
}

void BookShelfWindow::addToCategory(long recipe, long category) {
  if (category == 0) category = category_.uid;
  if (edits_.addToCategory(recipe ? recipe : selectedRecipe(), category)) recipeFiled(category);
}

void BookShelfWindow::recipeFiled(long category) {
  if (mode_ == BrowseMode::Category && category == category_.uid) fillRecipes();
}

void BookShelfWindow::recipeAdded(const UI_EVENT& event) {
  const std::string name = platform::trim(event.text);
  if (name.empty() || recipeList_->findText(name) >= 0) return;
  recipeList_->add({name, event.values[0], kRecipeChosen});
}

// The saved item is chosen, so that a new book shows its (empty) chapter list ready for a
// first chapter, and a new chapter or category its recipes.
void BookShelfWindow::itemSaved(ShelfItemType type, long uid) {
  if (type == ShelfItemType::Recipe) return;
  const ItemList items = itemList(type);
  (this->*items.fill)();
  if (items.list->findId(uid) >= 0) (this->*items.choose)(uid);
}

BookShelfWindow::ItemList BookShelfWindow::itemList(ShelfItemType type) {
  if (type == ShelfItemType::Book)
    return {bookList_, &book_, &BookShelfWindow::fillBooks, &BookShelfWindow::chooseBook};
  if (type == ShelfItemType::Chapter)
    return {chapterList_, &chapter_, &BookShelfWindow::fillChapters,
            &BookShelfWindow::chooseChapter};
  return {categoryList_, &category_, &BookShelfWindow::fillCategories,
          &BookShelfWindow::chooseCategory};
}

void BookShelfWindow::editFocusedField(int command) {
  static constexpr FieldEdit kEdits[] = {FieldEdit::Cut, FieldEdit::Copy, FieldEdit::Paste,
                                         FieldEdit::Clear};
  toolkit::editFocusedField(widget(), kEdits[command - kCut]);
}

// ---------------------------------------------------------------------------------------------
// Drag and drop: the list dragged from gives the item's type, the list (or waste bin) dropped on
// the target; ShelfDropRules decides and makes the change, and the lists follow it.

std::optional<ShelfItemType> BookShelfWindow::listedType(const UI_WINDOW_OBJECT* list) const {
  const std::pair<const UI_WINDOW_OBJECT*, ShelfItemType> lists[] = {
      {bookList_, ShelfItemType::Book},
      {chapterList_, ShelfItemType::Chapter},
      {categoryList_, ShelfItemType::Category},
      {recipeList_, ShelfItemType::Recipe}};
  for (const auto& [object, type] : lists) {
    if (object == list) return type;
  }
  return std::nullopt;
}

void BookShelfWindow::drop(const UI_EVENT& event) {
  // Entries are dragged from this bookshelf, or from the other shelf's.
  const auto* from =
      event.source ? dynamic_cast<BookShelfWindow*>(event.source->window()) : nullptr;
  const std::optional<ShelfItemType> dragged = from ? from->listedType(event.source) : std::nullopt;
  if (!dragged) return;
  // The drop events are numbered in DropTarget's order.
  static_assert(kDropOnWasteBin - kDropOnBooks == int(DropTarget::WasteBin));
  const ShelfDrop dropped{.from = from->shelf_,
                          .dragged = *dragged,
                          .draggedId = event.values[1],
                          .target = DropTarget(event.type - kDropOnBooks),
                          .targetId = event.values[3],
                          .listedCategory = listedCategory()};
  switch (dropRules_.drop(dropped)) {
    case DropDone::Nothing:
      break;
    case DropDone::BookDeleted:
      bookDeleted(dropped.draggedId);
      break;
    case DropDone::ChapterDeleted:
      chapterDeleted(dropped.draggedId);
      break;
    case DropDone::CategoryDeleted:
      categoryDeleted(dropped.draggedId);
      break;
    case DropDone::RecipeRemoved:
      recipeRemoved(dropped.draggedId);
      break;
    case DropDone::RecipeFiled:
      recipeFiled(dropped.targetId);
      break;
    case DropDone::RecipeCopied:
      fillRecipes();
      break;
    case DropDone::ChapterCopied:
      fillChapters();
      fillRecipes();
      break;
  }
}

}  // namespace savora::bookshelf
