// The bookshelf windows as the program runs them: a program directory with the shared tables,
// the main window with every window registered, and a scripted user. Requests for the recipe
// window (command 10433) are recorded instead of opening one.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDropEvent>
#include <QMimeData>
#include <memory>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/main_window.h"
#include "app/program.h"
#include "app/settings.h"
#include "app/shared_tables.h"
#include "app/usage_counters.h"
#include "backup/backup.h"
#include "bookshelf/book_info_window.h"
#include "bookshelf/book_shelf_window.h"
#include "codes/program_codes.h"
#include "platform/file_ops.h"
#include "platform/program_dirs.h"
#include "program_folders.h"
#include "scripted_user.h"
#include "store/table_store.h"
#include "toolkit/event_manager.h"
#include "toolkit/object_store.h"
#include "toolkit/window_manager.h"
#include "window_objects.h"

namespace savora::bookshelf {
using namespace savora::store;

using toolkit::Button;
using toolkit::UI_EVENT;
using toolkit::UI_EVENT_MANAGER;
using toolkit::UI_WINDOW_MANAGER;
using toolkit::UIW_BUTTON;
using toolkit::UIW_COMBO_BOX;
using toolkit::UIW_STRING;
using toolkit::UIW_VT_LIST;
using toolkit::UIW_WINDOW;

class ShelfWindowTest : public savora::testing::ProgramFoldersTest {
 protected:
  void SetUp() override {
    ProgramFoldersTest::SetUp();
    ASSERT_TRUE(savora::testing::openWindowObjects());
    state.programDirectory = platform::programDirectory();
    if (withCatalog) installCatalog();
    // Built here, in the test's program directory: the catalogue is looked for as they are made.
    tables = std::make_unique<app::SharedTables>(store);
    ASSERT_TRUE(tables->openAll().empty());
    backup = std::make_unique<backup::BackupService>(store, tables->mainTables(), user);
    main = std::make_unique<app::MainWindow>(
        app::MainServices{state, settings, user, store, *tables, *backup});
    main->widget()->resize(1100, 720);
    main->widget()->show();
    app::registerWindows(*main, *tables, user, {state, settings, usage});
    main->registerWindow(codes::kKindRecipe, [this](const UI_EVENT& request) {
      recipeRequests.push_back(request);
      return std::unique_ptr<UIW_WINDOW>();
    });
    main->registerWindow(codes::kKindCatalogRecipe, [this](const UI_EVENT& request) {
      recipeRequests.push_back(request);
      return std::unique_ptr<UIW_WINDOW>();
    });
  }
  void TearDown() override {
    main.reset();  // closes every window first: the bookshelf stores its selection
    tables->closeAll();
    savora::testing::closeWindowObjects();
    ProgramFoldersTest::TearDown();
  }

  // Makes the catalogue's four tables, as its CD installation leaves them.
  static void installCatalog() {
    ASSERT_TRUE(platform::makeFolder("catalog"));
    savora::testing::ScriptedUser quiet;
    TableStore catalogStore{quiet};
    BookTable catalogBooks{catalogStore, Shelf::Catalog};
    catalogBooks.open();
    catalogBooks.close();
  }

  static void settle() { UI_EVENT_MANAGER::instance().processAll(); }

  BookTable& books() { return tables->books(); }
  ChapterTable& chapters() { return tables->chapters(); }
  CategoryTable& categories() { return tables->categories(); }
  RecipeTable& recipes() { return tables->recipes(); }

  long addRecipe(long chapter, const std::string& name, const std::string& photo = {}) {
    Recipe recipe;
    recipe.name = name;
    recipe.servings = 4;
    recipe.media[0] = photo;
    return recipes().save(0, chapter, recipe, true);
  }

  // Opens the recipe bookshelf (or the catalogue) through the main window's command.
  BookShelfWindow* openShelf(int command = 10038) {
    main->post(UI_EVENT(command));
    settle();
    const int kind = command == 10038 ? codes::kKindBookshelf : codes::kKindCatalog;
    return dynamic_cast<BookShelfWindow*>(UI_WINDOW_MANAGER::instance().findKind(kind));
  }
  BookInfoWindow* infoWindow() {
    return dynamic_cast<BookInfoWindow*>(
        UI_WINDOW_MANAGER::instance().findKind(codes::kKindInformation));
  }
  static bool isOpen(UIW_WINDOW* window) { return UI_WINDOW_MANAGER::instance().contains(window); }

  static UIW_VT_LIST* list(UIW_WINDOW* w, const char* name) { return w->Get<UIW_VT_LIST>(name); }
  static std::vector<std::string> texts(UIW_WINDOW* w, const char* name) {
    std::vector<std::string> out;
    for (const auto& e : list(w, name)->entries()) out.push_back(e.text);
    return out;
  }
  static std::string current(UIW_WINDOW* w, const char* name) { return list(w, name)->text(); }
  // The user clicks an entry: the list's selection event goes out.
  static void choose(UIW_WINDOW* w, const char* name, const std::string& entry) {
    auto* l = list(w, name);
    const int row = l->findText(entry);
    ASSERT_GE(row, 0) << entry << " is not in " << name;
    static_cast<QListWidget*>(l->widget())->setCurrentRow(row);
    settle();
  }
  static void click(UIW_WINDOW* w, const char* button) {
    w->Get<UIW_BUTTON>(button)->click();
    settle();
  }
  // The user picks a browse mode in RECIPE_BROWSER.
  static void chooseMode(UIW_WINDOW* w, const char* mode) {
    auto* combo = static_cast<QComboBox*>(w->Get<UIW_COMBO_BOX>("RECIPE_BROWSER")->widget());
    const int index = combo->findText(QString::fromUtf8(mode));
    ASSERT_GE(index, 0) << mode;
    combo->setCurrentIndex(index);
    emit combo->activated(index);
    settle();
  }
  static std::string mode(UIW_WINDOW* w) { return w->Get("RECIPE_BROWSER")->text(); }

  // Drags entry `entry` of list `from` and drops it on entry `onto` of list `to` (or on the
  // widget `to` itself when `onto` is empty), as the mouse would.
  static void drag(UIW_WINDOW* w, const char* from, const std::string& entry, const char* to,
                   const std::string& onto = {}) {
    auto* source = static_cast<toolkit::DragList*>(list(w, from)->widget());
    const int row = list(w, from)->findText(entry);
    ASSERT_GE(row, 0) << entry << " is not in " << from;
    QWidget* target = w->Get(to)->widget();
    QPoint at = target->rect().center();
    if (auto* targetList = qobject_cast<QListWidget*>(target)) {
      target = targetList->viewport();
      const int targetRow = onto.empty() ? -1 : list(w, to)->findText(onto);
      ASSERT_TRUE(onto.empty() || targetRow >= 0) << onto << " is not in " << to;
      at = targetRow >= 0 ? targetList->visualItemRect(targetList->item(targetRow)).center()
                          : QPoint(5, targetList->viewport()->height() - 3);
    }
    source->beginDrag(row);
    QMimeData mime;
    mime.setText("entry");
    QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    settle();
  }

  bool withCatalog = false;
  app::AppState state;
  app::Settings settings;
  app::UsageCounters usage;
  savora::testing::ScriptedUser user;
  TableStore store{user};
  std::unique_ptr<app::SharedTables> tables;
  std::unique_ptr<backup::BackupService> backup;
  std::unique_ptr<app::MainWindow> main;
  std::vector<UI_EVENT> recipeRequests;
};

}  // namespace savora::bookshelf
