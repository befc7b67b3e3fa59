// WEEK_WINDOW (kind 200): the menu window. Seven day lists, Sunday to Saturday, that
// recipes are dragged onto from the filtered recipe list; the list of menus WEEK_LIST ending with
// "<new menu>"; renaming by a drop on the Rename button; deleting; the menu's photo, sound and
// video; saving, and the save question on choosing another menu and on closing. The named-list
// rules and the events of the list of menus are NamedListChoice's and NamedListEvents', shared
// with the plan window.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bookshelf/shelf_edits.h"
#include "media/media_lookup.h"
#include "media/media_tab_widget.h"
#include "planning/named_list_choice.h"
#include "planning/named_list_events.h"
#include "planning/week_table.h"
#include "print/print_service.h"
#include "store/media_list.h"
#include "toolkit/media_player.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::planning {

extern const toolkit::WindowSpec kWeekWindowSpec;

// What the menu window keeps between openings (the settings file holds it): the three filter
// check boxes (lines 10 to 12) and the UID of the menu last shown (line 74, -1 for none).
struct WeekWindowMemory {
  bool& bookFilter;
  bool& chapterFilter;
  bool& categoryFilter;
  long& lastMenu;
};

class WeekWindow;

struct WeekWindowServices {
  bookshelf::ShelfTables shelf;  // the user's bookshelf
  WeekTable& weeks;
  toolkit::User& user;
  WeekWindowMemory memory;
  media::MediaLookup lookup = media::MediaLookup({});
  // Plays the menu's video, then the videos of its recipes (the video window's recipe list).
  std::function<void(const std::string& video, const std::vector<long>& recipes)> playVideo{};
  // Opens a recipe in the recipe window.
  std::function<void(long recipe)> openRecipe{};
  // Lets the user choose a recipe on the bookshelf for this menu (menu picking).
  std::function<void(WeekWindow& window)> pickFromShelf{};
  // Print and List for this window; nothing happens without them.
  std::shared_ptr<print::PrintService> printing{};
  std::function<void(WeekWindow& window)> list{};
  // The program's exit state (1000 while the exit check waits for a save), or null.
  int* exitState = nullptr;
  // Plays the sounds; null makes the Qt player.
  std::unique_ptr<toolkit::MediaPlayer> player{};
};

class WeekWindow : public toolkit::UIW_WINDOW {
 public:
  // Opens on the menu `menuName` when given, else on the menu last shown, else on the first.
  WeekWindow(WeekWindowServices services, const std::string& menuName = {});
  ~WeekWindow() override;

  int Event(const toolkit::UI_EVENT& event) override;
  bool hasUnsavedChanges() const override { return choice_.modified(); }

  // The current menu name ("<new menu>" when there is none).
  const std::string& currentMenu() const { return choice_.current(); }
  // The recipe UIDs of a day list, top to bottom (0 Sunday ... 6 Saturday).
  std::vector<long> dayRecipes(int day) const;
  // The day list a picked recipe goes to: the one last used.
  int pickingDay() const { return lastDay_; }
  const store::MediaReferences& media() const { return media_; }

 private:
  void showMenus(const NamedListShown& shown);
  void fillCombos();
  void fillChapters();
  void fillRecipes();
  void filterChanged(int event);
  void rememberFilters();

  void load(long uid);
  bool write(long uid);
  void recipesChanged();
  void dropOnDay(const toolkit::UI_EVENT& event);
  void addToDay(int day, long recipe, const std::string& name, int at = -1);
  void removeMeal();
  void openRecipe(const toolkit::UI_EVENT& event);
  void playVideo(const std::string& path);
  void close();
  // The day a list shows, or -1 for another object.
  int dayOf(const toolkit::UI_WINDOW_OBJECT* object) const;

  WeekWindowServices services_;
  store::MediaReferences media_;
  NamedListChoice choice_;
  NamedListEvents events_;
  media::MediaTab mediaTab_;
  std::array<toolkit::UIW_VT_LIST*, kDaysInWeek> days_{};
  toolkit::UIW_VT_LIST* menus_;
  toolkit::UIW_VT_LIST* recipes_;
  toolkit::UIW_COMBO_BOX* bookCombo_;
  toolkit::UIW_COMBO_BOX* chapterCombo_;
  toolkit::UIW_COMBO_BOX* categoryCombo_;
  toolkit::UIW_BUTTON* bookFilter_;
  toolkit::UIW_BUTTON* chapterFilter_;
  toolkit::UIW_BUTTON* categoryFilter_;
  int lastDay_ = 0;
  const toolkit::UI_WINDOW_OBJECT* lastList_ = nullptr;  // the list last chosen in
  bool closed_ = false;
};

}  // namespace savora::planning
