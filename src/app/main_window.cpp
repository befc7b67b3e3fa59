#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QWidget>
#include <algorithm>
#include <set>
#include <vector>

#include "app/about_window.h"
#include "app/cd_drive_window.h"
#include "app/format_upgrade.h"
#include "app/installed_titles.h"
#include "app/settings.h"
#include "app/shared_tables.h"
#include "app/tip_files.h"
#include "app/wallpaper.h"
#include "backup/backup.h"
#include "backup/backup_schedule.h"
#include "platform/file_ops.h"
#include "platform/process.h"
#include "platform/program_dirs.h"
#include "platform/text.h"
#include "toolkit/event_codes.h"
#include "toolkit/help_window.h"
#include "toolkit/window_manager.h"

namespace savora::app {

using namespace savora::toolkit;
using platform::formatText;

namespace {

using namespace savora::codes;

constexpr int kEscapeKey = 27;
constexpr const char* kMakerWebSite = "https://www.savora99.example/";

// Commands that open a window of a kind.
const std::map<int, int> kWindowCommands = {{kOpenBookshelf, kKindBookshelf},
                                            {kOpenCatalog, kKindCatalog},
                                            {kOpenMenus, kKindMenuWeek},
                                            {kOpenMenuWeek, kKindMenuWeek},
                                            {kOpenPlans, kKindPlan},
                                            {kOpenFoodGroups, kKindFoodGroups},
                                            {kOpenShoppingList, kKindShoppingList},
                                            {kOpenIngredientList, kKindIngredientList},
                                            {kOpenUnitList, kKindUnitList},
                                            {kOpenItemInformation, kKindInformation}};

// Commands that go to the front window when it is of one of the kinds, and otherwise explain
// what they need.
struct PassedCommand {
  std::vector<int> codes;
  std::vector<int> kinds;
  const char* title;
  const char* text;
};
const std::vector<PassedCommand> kPassedCommands = {
    {{kAddPhoto, kAddSound, kAddVideo},
     {kKindRecipe, kKindCatalogRecipe, kKindInformation, kKindMenuWeek},
     "Cannot Add Multimedia",
     "You can only add multimedia elements to\r\nRecipes, Books, Chapters, and Categories."},
    {{kRemovePhoto, kRemoveSound, kRemoveVideo},
     {kKindRecipe, kKindCatalogRecipe, kKindInformation, kKindMenuWeek},
     "Nothing to Remove",
     "There are no multimedia elements to remove."},
    {{kExportBook, kExportText},
     {kKindBookshelf},
     "Nothing to Export",
     "Click Recipes and select the cookbook that you want to export."},
};

// Restores the tables from an archive. Nothing shown before the restore may be saved over the
// restored tables afterwards: each window's unsaved changes are saved now or never (Cancel, or a
// save that does not happen, leaves everything as it was), and once the tables are replaced every
// window showing them closes. True when restored.
bool restoreClosingWindows(User& user, backup::BackupService& backup, const std::string& path) {
  auto& manager = UI_WINDOW_MANAGER::instance();
  for (UIW_WINDOW* window : manager.windows()) {
    if (!manager.contains(window) || !window->hasUnsavedChanges()) continue;
    const std::string question = formatText(
        "Would you like to save the changes you made to \"%s\" before restoring your data?",
        window->title().c_str());
    const Button answer = user.message("Save Changes?", "QUESTION", Buttons::YesNoCancel, question);
    if (answer == Button::Cancel) return false;
    if (answer == Button::Yes) {
      window->Event(UI_EVENT(kSaveRequest));
      if (manager.contains(window) && window->hasUnsavedChanges()) return false;
    }
  }
  if (!backup.restore(path)) return false;
  for (UIW_WINDOW* window : manager.windows()) manager.subtract(window);
  return true;
}

const PassedCommand* passedCommand(int code) {
  for (const auto& command : kPassedCommands) {
    if (std::find(command.codes.begin(), command.codes.end(), code) != command.codes.end())
      return &command;
  }
  return nullptr;
}

// Commands the main window carries out itself.
const std::set<int> kOwnCommands = {
    L_EXIT_FUNCTION, L_HELP,       kHelpSearch,        kHelpContents, kSave,       kPrint,
    kList,           S_CLOSE,      kConfirmExit,       kBackup,       kRestore,    kBackupAndExit,
    kAbout,          kCdNotFound,  kRefreshWindowList, kMakerSite,    kAuthorSite, kReferral,
    kUpgradeRecipe,  kUpgradeRc63, kUpgradeRc64};

}  // namespace

const WindowSpec kMainWindowSpec{"MAIN",
                                 {
                                     {"NUMID_TITLE"},
                                     {"MAIN_TOOLBAR", 0, ObjectKind::ToolBar},
                                     {"SAVE_BUTTON", 0, ObjectKind::MenuItem},
                                     {"CONVERT_BUTTON", 0, ObjectKind::MenuItem},
                                     {"PRINT_BUTTON", 0, ObjectKind::MenuItem},
                                     {"CATALOG_BUTTON", 0, ObjectKind::MenuItem},
                                     {"SAVE", 0, ObjectKind::MenuItem},
                                     {"LIST", 0, ObjectKind::MenuItem},
                                     {"PRINT", 0, ObjectKind::MenuItem},
                                     {"ABBREVIATED_UNITS", 0, ObjectKind::MenuItem},
                                     {"SHOW_INTRO", 0, ObjectKind::MenuItem},
                                     {"SHOW_TIPS", 0, ObjectKind::MenuItem},
                                     {"SHOW_BLOOPERS", 0, ObjectKind::MenuItem},
                                     {"AUTHOR_SITE", 0, ObjectKind::MenuItem},
                                     {"WALLPAPER", 0, ObjectKind::Picture},
                                     {"WINDOW", 0, ObjectKind::PopUpMenu},
                                 }};

const WindowSpec kSaveApplicationSpec{"SAVE_APPLICATION", {{"", 7, ObjectKind::Prompt}}};

MainWindow::MainWindow(MainServices services)
    : UIW_MDIFRAME(kMainWindowSpec.resource),
      services_(services),
      newContent_(services.state, services.user,
                  {[this](int command) { post(UI_EVENT(command)); }, [this] { applyCdInfo(); },
                   [](const std::string& title) { return isInstalledTitle(title); },
                   [this] {
                     services_.settings.tipCounter = 1;
                     services_.settings.showIntro = true;
                   }}) {
  resolve(kMainWindowSpec);
  setNumberID(600 + (windowCounter_++));
  UI_WINDOW_MANAGER::instance().setFrame(this, mdiArea());
  UI_WINDOW_MANAGER::instance().setExitFunction([this] { return exitCheck(); });

  auto* toolbar = Get<UIW_TOOL_BAR>("MAIN_TOOLBAR");
  if (!SharedTables::catalogInstalled()) toolbar->remove(*Get("CATALOG_BUTTON"));
  Get<UIW_BUTTON>("ABBREVIATED_UNITS")->setChecked(services_.settings.abbreviatedUnits != 0);

  auto* escapeKey = new QShortcut(QKeySequence(Qt::Key_Escape), widget());
  QObject::connect(escapeKey, &QShortcut::activated, widget(),
                   [this] { post(UI_EVENT(kKeyEvent, kEscapeKey)); });

  // The Window menu lists the windows open when it drops down, however they were opened.
  auto* windowMenu = qobject_cast<QMenu*>(Get<UIW_POP_UP_MENU>("WINDOW")->widget());
  QObject::connect(windowMenu, &QMenu::aboutToShow, widget(), [this] { refreshWindowList(); });

  updateCommandAvailability();
  applyCdInfo();
  chooseWallpaper();
}

MainWindow::~MainWindow() {
  timer_.reset();
  UI_WINDOW_MANAGER::instance().closeAll();
  UI_WINDOW_MANAGER::instance().setExitFunction({});
}

void MainWindow::registerWindow(int kind, WindowFactory factory) {
  windowFactories_[kind] = std::move(factory);
  updateCommandAvailability();
}

void MainWindow::registerCommand(int code, CommandHandler handler) {
  commandHandlers_[code] = std::move(handler);
  updateCommandAvailability();
}

bool MainWindow::commandAvailable(int code) const {
  if (kOwnCommands.count(code) || commandHandlers_.count(code) || passedCommand(code)) return true;
  if (code == kOpenRecipe) return windowFactories_.count(kKindRecipe) > 0;
  const auto it = kWindowCommands.find(code);
  return it != kWindowCommands.end() && windowFactories_.count(it->second) > 0;
}

void MainWindow::updateCommandAvailability() {
  // The same places the tips window plays from (the digital edition's, ".wmv" too).
  const bool hasIntro = !findIntroVideo(services_.state).empty();
  const bool hasTips = !findTipVideo(services_.state, 1).empty();
  for (QAction* action : widget()->findChildren<QAction*>()) {
    const int code = action->property("event").toInt();
    if (code == 0) continue;
    bool selectable = commandAvailable(code);
    const QString name = action->objectName();
    if (name == QLatin1String("SHOW_INTRO")) selectable = selectable && hasIntro;
    if (name == QLatin1String("SHOW_TIPS")) selectable = selectable && hasTips;
    // No edition title keeps the bloopers command: the list of such titles is empty.
    if (name == QLatin1String("SHOW_BLOOPERS")) selectable = false;
    if (name == QLatin1String("AUTHOR_SITE")) selectable = selectable && !cdInfo_.webSite.empty();
    action->setEnabled(selectable);
  }
}

void MainWindow::applyCdInfo() {
  cdInfo_ = readCdInfo(services_.state);
  if (cdInfo_.found && !cdInfo_.appName.empty()) services_.state.title = cdInfo_.appName;
  setTitle(services_.state.title);
  auto* author = Get<UIW_POP_UP_ITEM>("AUTHOR_SITE");
  if (!cdInfo_.webMenu.empty()) author->setText(cdInfo_.webMenu);
  updateCommandAvailability();
  chooseWallpaper();
}

void MainWindow::chooseWallpaper() {
  const WindowPosition& saved = services_.settings.window;
  int width = saved.right - saved.left, height = saved.bottom - saved.top;
  if (saved.isFullScreen() || width <= 0 || height <= 0) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    width = screen ? screen->size().width() : 1024;
    height = screen ? screen->size().height() : 768;
  }
  const Wallpaper wall = wallpaperFor(width, height);
  const AppState& s = services_.state;
  std::string base;
  if (s.digital) {
    base = s.programDirectory + "PICTURES\\";
  } else if (platform::fileExists(cdInfoOnCd(s))) {
    base = s.onCd("\\PICTURES\\");
  } else {
    base = s.titleDirectory() + "\\PICTURES\\";
  }
  auto* picture = Get<UIW_PICTURE>("WALLPAPER");
  if (!picture->setImage(base + wall.name + ".BMP", wall.width, wall.height, false))
    picture->clearImage();
}

void MainWindow::showOnScreen() {
  const WindowPosition& saved = services_.settings.window;
  QWidget* frame = widget();
  if (saved.isFullScreen() || saved.right <= saved.left || saved.bottom <= saved.top) {
    frame->showMaximized();
  } else {
    // A place saved on a larger screen is brought back onto this one.
    QRect placed(saved.left, saved.top, saved.right - saved.left, saved.bottom - saved.top);
    if (const QScreen* screen = frame->screen()) {
      const QRect room = screen->availableGeometry();
      placed.setSize(placed.size().boundedTo(room.size()));
      placed.moveTo(std::clamp(placed.left(), room.left(), room.right() + 1 - placed.width()),
                    std::clamp(placed.top(), room.top(), room.bottom() + 1 - placed.height()));
    }
    frame->setGeometry(placed);
    frame->show();
  }
}

void MainWindow::rememberPosition() {
  const QRect r = widget()->geometry();
  services_.settings.storeWindowPosition(r.left(), r.top(), r.right() + 1, r.bottom() + 1,
                                         widget()->isMaximized() || widget()->isFullScreen());
}

void MainWindow::activate() {
  QWidget* frame = widget();
  frame->setWindowState((frame->windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
  frame->show();
  frame->raise();
  frame->activateWindow();
  // A window manager that refuses to hand focus to a window in the background still marks it
  // as wanting attention (its taskbar entry flashes).
  QApplication::alert(frame);
}

void MainWindow::startTimer() {
  timer_ = std::make_unique<TimerDevice>(this, kTimer, 8000);
}

int MainWindow::nextWindowId(int kind) {
  if (windowCounter_ == 99) windowCounter_ = 0;
  return kind + windowCounter_++;
}

UIW_WINDOW* MainWindow::openWindow(int kind, const UI_EVENT& request) {
  auto& manager = UI_WINDOW_MANAGER::instance();
  if (UIW_WINDOW* open = manager.findKind(kind)) {
    manager.bringToFront(open);
    return open;
  }
  const auto factory = windowFactories_.find(kind);
  if (factory == windowFactories_.end()) return nullptr;
  WaitPointer wait(services_.user);
  std::unique_ptr<UIW_WINDOW> made = factory->second(request);
  if (!made) return nullptr;
  made->setNumberID(nextWindowId(kind));
  UIW_WINDOW* window = made.get();
  if (UIW_WINDOW* top = manager.front(); top && top->widget() && top->widget()->parentWidget()) {
    manager.add(std::move(made));
    if (QWidget* sub = window->widget()->parentWidget()) {
      // It takes the front window's place, with no less room than its own layout asks for
      // (squeezed below that, its fields would lie on top of each other).
      QRect placed = top->widget()->parentWidget()->geometry();
      placed.setSize(placed.size().expandedTo(sub->sizeHint()));
      if (const QWidget* area = sub->parentWidget()) {
        placed.setSize(placed.size().boundedTo(area->size()));
        if (placed.right() > area->width() - 1) placed.moveLeft(0);
        if (placed.bottom() > area->height() - 1) placed.moveTop(0);
      }
      sub->setGeometry(placed);
    }
  } else {
    manager.add(std::move(made));
  }
  currentDocument_ = window->numberID();
  post(UI_EVENT(kRefreshWindowList));
  return window;
}

int MainWindow::Event(const UI_EVENT& event) {
  const int code = event.type;
  if (const auto handler = commandHandlers_.find(code); handler != commandHandlers_.end()) {
    handler->second(event);
    return code;
  }
  if (const auto window = kWindowCommands.find(code); window != kWindowCommands.end()) {
    openWindow(window->second, event);
    return code;
  }
  if (const PassedCommand* passed = passedCommand(code)) {
    passToFront(event, passed->kinds, passed->title, passed->text);
    return code;
  }
  switch (code) {
    case kKeyEvent:
    case kKeyCommand:
      if (event.values[0] == kEscapeKey) escape();
      break;
    case S_CLOSE:
      closeFrontWindow();
      break;
    case kConfirmExit:
      confirmExit();
      break;
    case L_HELP:
    case kHelpSearch:
    case kHelpContents:
      showHelp(code);
      break;
    case kSave:
      passToFront(
          event, {kKindRecipe, kKindCatalogRecipe, kKindMenuWeek, kKindPlan, kKindInformation},
          "Nothing to Save", "Click the Save button to save changes made to a recipe or menu.");
      break;
    case kPrint:
      passToFront(event,
                  {kKindBookshelf, kKindCatalog, kKindCatalogRecipe, kKindRecipe, kKindMenuWeek,
                   kKindPlan, kKindShoppingList, kKindInformation},
                  "Nothing to Print",
                  "Open a recipe, menu, or shopping\r\nlist window and then click print.");
      break;
    case kList:
      listCommand();
      break;
    case kOpenRecipe:
      recipeCommand(event);
      break;
    case kBackup:
    case kRestore:
      backupDialog(code == kRestore);
      break;
    case kBackupChosen:
      services_.backup.backup(event.text);
      break;
    case kRestoreChosen:
      if (restoreClosingWindows(services_.user, services_.backup, event.text)) {
        // The bookshelf's last selection named records of the tables that are gone.
        services_.settings.recipeShelf = {};
        post(UI_EVENT(kRefreshWindowList));
      }
      break;
    case kBackupAndExit:
      backupAndExit();
      break;
    case kAbout:
      showAbout();
      break;
    case kCdNotFound:
      askForCdDrive();
      break;
    case kRefreshWindowList:
      refreshWindowList();
      break;
    case L_ACTIVATE_WINDOW:
      for (UIW_WINDOW* w : UI_WINDOW_MANAGER::instance().windows()) {
        if (w->numberID() == event.values[0]) UI_WINDOW_MANAGER::instance().bringToFront(w);
      }
      break;
    case kMakerSite:
      platform::openDocument(kMakerWebSite, services_.state.programDirectory);
      break;
    case kAuthorSite:
      if (!cdInfo_.webSite.empty())
        platform::openDocument(cdInfo_.webSite, services_.state.programDirectory);
      break;
    case kReferral:
      platform::startProgram("referral.exe", services_.state.programDirectory);
      break;
    case kUpgradeRecipe:
    case kUpgradeRc63:
    case kUpgradeRc64:
      for (const auto& upgrade : kUpgrades) {
        if (upgrade.command == code) {
          runFormatUpgrade(upgrade.table, services_.store, services_.tables.recipes(),
                           services_.backup, services_.user);
        }
      }
      break;
    case kTimer:
      newContent_.tick();
      break;
    default:
      break;
  }
  return code;
}

void MainWindow::escape() {
  if (UI_WINDOW_MANAGER::instance().front()) {
    post(UI_EVENT(S_CLOSE));
  } else {
    post(UI_EVENT(L_EXIT_FUNCTION));
  }
}

void MainWindow::closeFrontWindow() {
  if (UIW_WINDOW* front = UI_WINDOW_MANAGER::instance().front()) {
    front->post(UI_EVENT(S_CLOSE));
  } else {
    post(UI_EVENT(L_EXIT_FUNCTION));
  }
}

void MainWindow::passToFront(const UI_EVENT& command, const std::vector<int>& kinds,
                             const char* title, const char* text) {
  if (UIW_WINDOW* front = UI_WINDOW_MANAGER::instance().front()) {
    if (std::find(kinds.begin(), kinds.end(), front->kind()) != kinds.end()) {
      front->post(command);
      return;
    }
  }
  services_.user.message(title, "ASTERISK", Buttons::Ok, text);
}

void MainWindow::listCommand() {
  auto& manager = UI_WINDOW_MANAGER::instance();
  if (UIW_WINDOW* list = manager.findKind(kKindShoppingList)) {
    manager.bringToFront(list);
    return;
  }
  passToFront(
      UI_EVENT(kList), {kKindRecipe, kKindCatalogRecipe, kKindMenuWeek, kKindPlan},
      "Unable to Generate List",
      "Open a recipe, or menu and then\r\nclick List to generate a shopping\r\nlist and get a "
      "nutritional analysis.");
}

void MainWindow::recipeCommand(const UI_EVENT& event) {
  // values: chapter, recipe, mode (the catalogue hands over 1, the bookshelf 0)
  // A recipe of the user's bookshelf goes to a menu waiting for one (menu picking).
  if (menuPicker_ && event.values[2] == 0 && event.values[3] == 0 && event.values[1] > 0 &&
      menuPicker_(event))
    return;
  const int kind = event.values[2] != 0 ? kKindCatalogRecipe : kKindRecipe;
  auto& manager = UI_WINDOW_MANAGER::instance();
  if (UIW_WINDOW* open = manager.findKind(kind)) {
    manager.bringToFront(open);
    open->post(UI_EVENT(kShowRecipe, event.values[0], event.values[1], event.values[2]));
    open->post(UI_EVENT(kLoadRecipe, event.values[0], event.values[1], event.values[2]));
    return;
  }
  openWindow(kind, event);
}

void MainWindow::backupDialog(bool restore) {
  // Both start where the last backup went (the setting starts out as the drive's root: no backup
  // yet). Without one of the user's own, a backup starts in the documents folder, under a name that
  // says when it was made, and a restore beside the automatic backup.
  const std::string& lastBackupFolder = services_.backup.lastLocation();
  const bool ownFolder = !lastBackupFolder.empty() && lastBackupFolder != "\\" &&
                         lastBackupFolder != platform::windowsDirectory();
  const std::string restoreFolder = ownFolder ? lastBackupFolder : platform::windowsDirectory();
  const std::string backupStart = (ownFolder ? lastBackupFolder : "") + backup::todaysBackupName();
  const auto chosen = restore ? services_.user.openFileName("Restore Savora Data...",
                                                            "Backup Files (*.ck9)", restoreFolder)
                              : services_.user.saveFileName("Backup Savora Data...",
                                                            "Backup Files (*.ck9)", backupStart);
  platform::setProgramDirectory(platform::programDirectory());
  if (!chosen) return;
  UI_EVENT answer(restore ? kRestoreChosen : kBackupChosen);
  answer.text = *chosen;
  post(answer);
}

bool MainWindow::exitCheck() {
  AppState& state = services_.state;
  if (state.exitState == L_EXIT || state.exitConfirmed) return true;
  User& user = services_.user;
  for (UIW_WINDOW* window : UI_WINDOW_MANAGER::instance().windows()) {
    if (!window->hasUnsavedChanges()) continue;
    user.beep();
    const std::string question = formatText(saveQuestionFormat().c_str(), window->title().c_str());
    const Button answer = user.message("Save Changes?", "QUESTION", Buttons::YesNoCancel, question);
    if (answer == Button::Cancel) return false;
    if (answer == Button::Yes) {
      window->post(UI_EVENT(kSaveRequest));
      if (window->numberID() == currentDocument_) state.exitState = L_EXIT;
      return false;
    }
  }
  if (user.message("Exit Savora?", "QUESTION", Buttons::YesNo, "\r\nExit Savora?") != Button::Yes)
    return false;
  if (updateReminderDue_ && updateReminderDue_()) {
    post(UI_EVENT(kUpdateReminder));
    return false;
  }
  leave();
  return false;
}

void MainWindow::leave() {
  const bool backupDue =
      backup::isBackupDue(services_.store, services_.user, backup::todayDayOfMonth());
  post(UI_EVENT(backupDue ? kBackupAndExit : kConfirmExit));
}

std::string MainWindow::saveQuestionFormat() {
  UIW_WINDOW question(kSaveApplicationSpec.resource);
  question.resolve(kSaveApplicationSpec);
  return question.Get(7)->text();
}

void MainWindow::confirmExit() {
  services_.state.exitConfirmed = true;
  // Straight to the exit: closing child windows one by one here would stop at the first of them.
  post(UI_EVENT(L_EXIT_FUNCTION));
}

void MainWindow::backupAndExit() {
  services_.backup.backup(backup::automaticBackupPath());
  confirmExit();
}

void MainWindow::askForCdDrive() {
  if (services_.user.message("Error!", "EXCLAMATION", Buttons::YesNo,
                             "CD not found.\r\n\r\nWould you like to choose a new CD drive?") ==
      Button::Yes) {
    UI_WINDOW_MANAGER::instance().add(std::make_unique<CdDriveWindow>(services_.state));
  } else {
    post(UI_EVENT(L_EXIT));
  }
}

void MainWindow::showAbout() {
  auto& manager = UI_WINDOW_MANAGER::instance();
  for (UIW_WINDOW* w : manager.windows()) {
    if (w->resourceName() == "ABOUT") {
      manager.bringToFront(w);
      return;
    }
  }
  manager.add(std::make_unique<AboutWindow>(services_.state));
}

void MainWindow::showHelp(int code) {
  if (code == kHelpSearch) {
    HelpSystem::showSearch();
  } else if (code == kHelpContents) {
    HelpSystem::showContents();
  } else {
    UIW_WINDOW* front = UI_WINDOW_MANAGER::instance().front();
    HelpSystem::showContext(front ? front->helpContext() : helpContext());
  }
}

void MainWindow::refreshWindowList() {
  auto* menu = Get<UIW_POP_UP_MENU>("WINDOW");
  menu->clearAdded();
  const UIW_WINDOW* front = UI_WINDOW_MANAGER::instance().front();
  for (UIW_WINDOW* w : UI_WINDOW_MANAGER::instance().windows()) {
    if (w->isModal()) continue;
    menu->add(w->title(), L_ACTIVATE_WINDOW, w->numberID(), w == front);
  }
}

}  // namespace savora::app
