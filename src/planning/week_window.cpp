#include "planning/week_window.h"

#include <algorithm>

#include "bookshelf/book_table.h"
#include "bookshelf/category_table.h"
#include "bookshelf/chapter_table.h"
#include "bookshelf/recipe_list_fill.h"
#include "codes/program_codes.h"
#include "planning/named_list_window.h"
#include "planning/plan_documents.h"
#include "platform/log.h"
#include "platform/text.h"
#include "store/recipe_table.h"
#include "toolkit/event_manager.h"
#include "toolkit/qt_media_player.h"
#include "toolkit/window_manager.h"

namespace savora::planning {

using namespace savora::toolkit;
using platform::formatText;

namespace {

using namespace savora::codes;
using namespace savora::codes::week_window;

constexpr const char* kDayLists[kDaysInWeek] = {"SUNDAY_LIST",    "MONDAY_LIST",   "TUESDAY_LIST",
                                                "WEDNESDAY_LIST", "THURSDAY_LIST", "FRIDAY_LIST",
                                                "SATURDAY_LIST"};
constexpr int kPhotoBox = 170;

media::MediaTabObjects mediaObjects() {
  media::MediaTabObjects objects;
  objects.playSoundEvent = kPlaySound;
  objects.playVideoEvent = kPlayVideo;
  objects.videoObjects = {"PLAY_VIDEO"};
  objects.photoBox = kPhotoBox;
  return objects;
}

std::unique_ptr<MediaPlayer> soundPlayer(UIW_WINDOW& window, std::unique_ptr<MediaPlayer> player) {
  if (player) return player;
  return std::make_unique<QtMediaPlayer>(window.widget());
}

}  // namespace

const WindowSpec kWeekWindowSpec{
    "WEEK_WINDOW",
    {{"SUNDAY_LIST", 0, ObjectKind::List},          {"MONDAY_LIST", 0, ObjectKind::List},
     {"TUESDAY_LIST", 0, ObjectKind::List},         {"WEDNESDAY_LIST", 0, ObjectKind::List},
     {"THURSDAY_LIST", 0, ObjectKind::List},        {"FRIDAY_LIST", 0, ObjectKind::List},
     {"SATURDAY_LIST", 0, ObjectKind::List},        {"WEEK_LIST", 0, ObjectKind::List},
     {"RECIPE_LIST", 0, ObjectKind::List},          {"BOOK_FILTER", 0, ObjectKind::Button},
     {"CHAPTER_FILTER", 0, ObjectKind::Button},     {"CATEGORY_FILTER", 0, ObjectKind::Button},
     {"BOOK_COMBO", 0, ObjectKind::Combo},          {"CHAPTER_COMBO", 0, ObjectKind::Combo},
     {"CATEGORY_COMBO", 0, ObjectKind::Combo},      {"MAGNIFY_BUTTON", 0, ObjectKind::Button},
     {"DELETE_MENU_BUTTON", 0, ObjectKind::Button}, {"REMOVE_BUTTON", 0, ObjectKind::Button},
     {"PICK_BUTTON", 0, ObjectKind::Button},        {"PICTURE", 0, ObjectKind::Picture},
     {"PHOTO_NAME", 0, ObjectKind::Prompt},         {"SOUND_NAME", 0, ObjectKind::Prompt},
     {"VIDEO_NAME", 0, ObjectKind::Prompt},         {"ADD_PHOTO", 0, ObjectKind::Button},
     {"ADD_SOUND", 0, ObjectKind::Button},          {"ADD_VIDEO", 0, ObjectKind::Button},
     {"REMOVE_PHOTO", 0, ObjectKind::Button},       {"REMOVE_SOUND", 0, ObjectKind::Button},
     {"REMOVE_VIDEO", 0, ObjectKind::Button},       {"PLAY_SOUND", 0, ObjectKind::Button},
     {"PLAY_VIDEO", 0, ObjectKind::Button},         {"SAVE_BUTTON", 0, ObjectKind::Button},
     {"PRINT_BUTTON", 0, ObjectKind::Button},       {"LIST_BUTTON", 0, ObjectKind::Button},
     {"CLOSE_BUTTON", 0, ObjectKind::Button}}};

WeekWindow::WeekWindow(WeekWindowServices services, const std::string& menuName)
    : UIW_WINDOW(kWeekWindowSpec.resource),
      services_(std::move(services)),
      choice_(services_.weeks, services_.user, kMenuTexts,
              {[this](long uid) { return write(uid); }, [this](long uid) { load(uid); },
               [this] { menus_->setFocus(); }, [this] { events_.refresh(); }}),
      events_(choice_, [this](const NamedListShown& shown) { showMenus(shown); }),
      mediaTab_(*this, mediaObjects(), media_, services_.user, services_.lookup,
                soundPlayer(*this, std::move(services_.player)),
                {[this] { choice_.setModified(); },
                 [this](const std::string& path) { playVideo(path); }}) {
  resolve(kWeekWindowSpec);
  for (int day = 0; day < kDaysInWeek; ++day) days_[size_t(day)] = Get<UIW_VT_LIST>(kDayLists[day]);
  menus_ = Get<UIW_VT_LIST>("WEEK_LIST");
  recipes_ = Get<UIW_VT_LIST>("RECIPE_LIST");
  bookCombo_ = Get<UIW_COMBO_BOX>("BOOK_COMBO");
  chapterCombo_ = Get<UIW_COMBO_BOX>("CHAPTER_COMBO");
  categoryCombo_ = Get<UIW_COMBO_BOX>("CATEGORY_COMBO");
  bookFilter_ = Get<UIW_BUTTON>("BOOK_FILTER");
  chapterFilter_ = Get<UIW_BUTTON>("CHAPTER_FILTER");
  categoryFilter_ = Get<UIW_BUTTON>("CATEGORY_FILTER");
  // Print and List wait for their parts of the program.
  Get("PRINT_BUTTON")->setSelectable(bool(services_.printing));
  Get("LIST_BUTTON")->setSelectable(bool(services_.list));
  Get("PICK_BUTTON")->setSelectable(bool(services_.pickFromShelf));

  postNewEntryClicks(*this, *menus_, choice_, kNewMenuClicked);

  WaitPointer wait(services_.user);
  fillCombos();
  bookFilter_->setChecked(services_.memory.bookFilter);
  chapterFilter_->setChecked(services_.memory.chapterFilter);
  categoryFilter_->setChecked(services_.memory.categoryFilter);
  fillRecipes();
  const std::string remembered = services_.memory.lastMenu > 0
                                     ? services_.weeks.nameOf(services_.memory.lastMenu)
                                     : std::string();
  events_.start({menuName, remembered});
}

WeekWindow::~WeekWindow() {
  try {
    rememberFilters();
    services_.memory.lastMenu = choice_.hasName() ? services_.weeks.uidOf(choice_.current()) : -1;
  } catch (const std::exception& error) {
    // A table that failed on the way out must not stop the window from closing.
    platform::logFailure(std::string("the menu window's choices are not remembered: ") +
                         error.what());
  }
}

void WeekWindow::rememberFilters() {
  services_.memory.bookFilter = bookFilter_->isChecked();
  services_.memory.chapterFilter = chapterFilter_->isChecked();
  services_.memory.categoryFilter = categoryFilter_->isChecked();
}

std::vector<long> WeekWindow::dayRecipes(int day) const {
  std::vector<long> uids;
  for (const ListEntry& entry : days_[size_t(day)]->entries()) uids.push_back(entry.id);
  return uids;
}

// ---------------------------------------------------------------------------------------------
// Lists

void WeekWindow::showMenus(const NamedListShown& shown) {
  const std::vector<std::string> before = listedNames(*menus_);
  showNamedList(*this, *menus_, shown);
  // The plan windows list the menus too.
  if (shown.entries == before) return;
  for (UIW_WINDOW* window : UI_WINDOW_MANAGER::instance().windows()) {
    if (window->kind() == codes::kKindPlan) window->post(UI_EVENT(year_window::kMenusChanged));
  }
}

void WeekWindow::fillCombos() {
  bookCombo_->clear();
  for (const auto& book : services_.shelf.books.entriesByName())
    bookCombo_->add({book.name, book.uid});
  bookCombo_->setCurrent(bookCombo_->count() > 0 ? 0 : -1);
  categoryCombo_->clear();
  for (const auto& category : services_.shelf.categories.entriesByName())
    categoryCombo_->add({category.name, category.uid});
  categoryCombo_->setCurrent(categoryCombo_->count() > 0 ? 0 : -1);
  fillChapters();
}

void WeekWindow::fillChapters() {
  chapterCombo_->clear();
  if (bookCombo_->current() >= 0) {
    for (const auto& chapter : services_.shelf.chapters.chaptersOf(bookCombo_->currentId()))
      chapterCombo_->add({chapter.name, chapter.uid});
  }
  chapterCombo_->setCurrent(chapterCombo_->count() > 0 ? 0 : -1);
}

void WeekWindow::fillRecipes() {
  auto chosen = [](UIW_BUTTON* filter, UIW_COMBO_BOX* combo) {
    return filter->isChecked() && combo->current() >= 0 ? combo->currentId() : bookshelf::kAnyItem;
  };
  const long book = chosen(bookFilter_, bookCombo_);
  const long chapter =
      book == bookshelf::kAnyItem ? bookshelf::kAnyItem : chosen(chapterFilter_, chapterCombo_);
  const long category = chosen(categoryFilter_, categoryCombo_);
  WaitPointer wait(services_.user);
  recipes_->clear();
  store::RecipeTable& recipes = services_.shelf.recipes;
  if (book == bookshelf::kAnyItem && category == bookshelf::kAnyItem) {
    // No filter: every recipe of the bookshelf.
    for (auto name = recipes.first(0); name; name = recipes.next())
      recipes_->add({*name, recipes.uidOfCurrent(), kOpenMeal});
    return;
  }
  for (const auto& entry :
       bookshelf::fillRecipeList(book, chapter, category, services_.shelf.chapters,
                                 services_.shelf.categories, recipes)) {
    recipes_->add({entry.name, entry.uid, kOpenMeal});
  }
}

void WeekWindow::filterChanged(int event) {
  switch (event) {
    case kBookChosen:
      bookFilter_->setChecked(true);
      categoryFilter_->setChecked(false);
      fillChapters();
      break;
    case kChapterChosen:
      bookFilter_->setChecked(true);
      chapterFilter_->setChecked(true);
      categoryFilter_->setChecked(false);
      break;
    case kCategoryChosen:
    case kCategoryFilter:
      bookFilter_->setChecked(false);
      chapterFilter_->setChecked(false);
      if (event == kCategoryChosen) categoryFilter_->setChecked(true);
      break;
    case kBookFilter:
      if (bookFilter_->isChecked()) {
        categoryFilter_->setChecked(false);
      } else {
        chapterFilter_->setChecked(false);
      }
      break;
    case kChapterFilter:
      if (chapterFilter_->isChecked()) {
        bookFilter_->setChecked(true);
        categoryFilter_->setChecked(false);
      }
      break;
    default:
      return;
  }
  fillRecipes();
}

// ---------------------------------------------------------------------------------------------
// Loading and saving

void WeekWindow::load(long uid) {
  mediaTab_.stop();
  for (UIW_VT_LIST* day : days_) day->clear();
  media_ = {};
  if (uid != -1) {
    store::RecipeTable& recipes = services_.shelf.recipes;
    for (const ListItem& item : services_.weeks.entriesOf(uid)) {
      if (item.slot < 0 || item.slot >= kDaysInWeek || !recipes.seek(item.reference)) continue;
      days_[size_t(item.slot)]->add({recipes.nameOf(item.reference), item.reference, kOpenMeal});
    }
    media_ = services_.weeks.mediaReferencesOf(uid);
  }
  mediaTab_.show();
  mediaTab_.play(media::MediaKind::Sound);  // a menu's sound is heard once as it opens
}

// Recipes were renamed or deleted elsewhere: the days show the names as they are now and drop
// the deleted recipes, and the recipe list is read again. What is placed but unsaved stays.
void WeekWindow::recipesChanged() {
  store::RecipeTable& recipes = services_.shelf.recipes;
  for (UIW_VT_LIST* day : days_) {
    const std::vector<ListEntry> entries = day->entries();
    day->clear();
    for (ListEntry entry : entries) {
      if (!recipes.seek(entry.id)) continue;
      entry.text = recipes.nameOf(entry.id);
      day->add(entry);
    }
  }
  fillRecipes();
}

bool WeekWindow::write(long uid) {
  std::vector<ListItem> items;
  store::RecipeTable& recipes = services_.shelf.recipes;
  for (int day = 0; day < kDaysInWeek; ++day) {
    // A recipe deleted since it was placed is not written back.
    for (long recipe : dayRecipes(day)) {
      if (recipes.seek(recipe)) items.push_back({day, recipe});
    }
  }
  services_.weeks.replaceEntries(uid, items);
  if (!services_.weeks.storeMedia(uid, media_)) {
    services_.user.message("Wait!", "HAND", Buttons::Ok,
                           "The menu's photo, sound and video could not be saved.");
    return false;
  }
  return true;
}

// ---------------------------------------------------------------------------------------------
// Editing

int WeekWindow::dayOf(const UI_WINDOW_OBJECT* object) const {
  for (int day = 0; day < kDaysInWeek; ++day) {
    if (days_[size_t(day)] == object) return day;
  }
  return -1;
}

void WeekWindow::addToDay(int day, long recipe, const std::string& name, int at) {
  UIW_VT_LIST* list = days_[size_t(day)];
  const ListEntry entry{name, recipe, kOpenMeal};
  if (at < 0 || at > list->count()) {
    at = list->add(entry);
  } else {
    list->insert(at, entry);
  }
  list->setCurrent(at);
  lastDay_ = day;
  lastList_ = list;
  choice_.setModified();
}

void WeekWindow::dropOnDay(const UI_EVENT& event) {
  const int day = event.type - kDropOnSunday;
  const int fromDay = dayOf(event.source);
  if (event.source != recipes_ && fromDay < 0) return;
  auto* from = static_cast<UIW_VT_LIST*>(event.source);
  const int row = int(event.values[0]);
  if (row < 0 || row >= from->count()) return;
  const ListEntry dragged = from->entry(row);
  int at = int(event.values[2]);
  if (fromDay >= 0) {
    // A meal dragged from a day moves: to another day, or to another place on its own day.
    from->remove(row);
    if (fromDay == day && at > row) --at;
  }
  addToDay(day, dragged.id, dragged.text, at);
}

void WeekWindow::removeMeal() {
  bool dayFocused = false;
  for (const UIW_VT_LIST* list : days_) dayFocused = dayFocused || list->hasFocus();
  if (recipes_->hasFocus() || (!dayFocused && lastList_ == recipes_)) {
    services_.user.message("Wait!", "HAND", Buttons::Ok,
                           "You can remove meals from the menu,\r\nbut you cannot delete "
                           "meals.\r\nGo to the Book Shelf to delete meals.");
    return;
  }
  int day = -1;
  for (int d = 0; d < kDaysInWeek; ++d) {
    if (days_[size_t(d)]->hasFocus()) day = d;
  }
  if (day < 0) day = lastDay_;
  UIW_VT_LIST* list = days_[size_t(day)];
  const int row = list->current();
  if (row < 0) return;
  if (services_.user.message(
          "Remove Meal?", "QUESTION", Buttons::YesNo,
          formatText("Remove %s from the menu?", list->entry(row).text.c_str())) != Button::Yes)
    return;
  list->remove(row);
  list->setCurrent(std::min(row, list->count() - 1));
  choice_.setModified();
}

void WeekWindow::openRecipe(const UI_EVENT& event) {
  if (services_.openRecipe && event.values[1] > 0) services_.openRecipe(event.values[1]);
}

void WeekWindow::playVideo(const std::string& path) {
  std::vector<long> recipes;
  for (int day = 0; day < kDaysInWeek; ++day) {
    for (long recipe : dayRecipes(day)) recipes.push_back(recipe);
  }
  if (services_.playVideo) services_.playVideo(path, recipes);
}

// ---------------------------------------------------------------------------------------------
// Saving and closing

void WeekWindow::close() {
  if (closed_) return;
  closed_ = true;
  mediaTab_.stop();
  UI_WINDOW_MANAGER::instance().subtract(this);
}

int WeekWindow::Event(const UI_EVENT& event) {
  const int code = event.type;
  if (code >= kDropOnSunday && code <= kDropOnSaturday) {
    dropOnDay(event);
    return code;
  }
  if (saveOrLeaveNamedList(choice_, code, services_.exitState, [this] { close(); })) return code;
  switch (code) {
    case codes::kRecipesChanged:
      recipesChanged();
      break;
    case kMenuChosen:
      events_.chosen(listedNames(*menus_), menus_->current());
      break;
    case kNewMenuClicked:
      events_.newClicked();
      break;
    case kShowMenu:
      events_.asked(event.text);
      break;
    case kDropOnMagnifier:
      events_.renameDropped(listedNames(*menus_), renameRow(*this, *menus_, event));
      break;
    case kDeleteMenu:
      events_.deleteAt(listedNames(*menus_), menus_->current());
      break;
    case kDayChosen:
      if (const int day = dayOf(event.source); day >= 0) lastDay_ = day;
      lastList_ = event.source;
      break;
    case kRecipeSelected:
      lastList_ = event.source;
      break;
    case kBookChosen:
    case kChapterChosen:
    case kCategoryChosen:
    case kBookFilter:
    case kChapterFilter:
    case kCategoryFilter:
      filterChanged(code);
      break;
    case kRemove:
      removeMeal();
      break;
    case kOpenMeal:
      openRecipe(event);
      break;
    case kPickFromShelf:
      if (services_.pickFromShelf) services_.pickFromShelf(*this);
      break;
    case kRecipePicked:
      if (const std::string name = services_.shelf.recipes.nameOf(event.values[0]); !name.empty())
        addToDay(lastDay_, event.values[0], name);
      break;
    case codes::kPrint:
      if (services_.printing) {
        std::vector<std::vector<long>> days;
        for (int day = 0; day < kDaysInWeek; ++day) days.push_back(dayRecipes(day));
        services_.printing->openSetup(print::documentJob(
            print::PrintKind::Menu, menuDocument(currentMenu(), days, services_.shelf.recipes)));
      }
      break;
    case codes::kList:
      if (services_.list) services_.list(*this);
      break;
    default:
      if (!mediaTab_.handle(code)) return UIW_WINDOW::Event(event);
      break;
  }
  return code;
}

}  // namespace savora::planning
