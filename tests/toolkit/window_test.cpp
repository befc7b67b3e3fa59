#include <QAbstractButton>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTabWidget>
#include <algorithm>
#include <memory>

#include "screenshots.h"
#include "temp_folder.h"
#include "toolkit/event_codes.h"
#include "toolkit/uiw_mdiframe.h"
#include "toolkit_fixture.h"

namespace savora::toolkit {
namespace {

using WindowTest = ToolkitTest;
using FrameTest = ProgramObjectsTest;

TEST_F(WindowTest, LoadsByNameAndFindsChildrenByNameAndNumid) {
  EXPECT_TRUE(ObjectStore::contains("TEST_LISTS"));
  EXPECT_EQ(ObjectStore::names(), std::vector<std::string>{"TEST_LISTS"});
  UIW_WINDOW window("TEST_LISTS");
  EXPECT_EQ(window.numberID(), 4200);
  EXPECT_EQ(window.kind(), 4200);
  EXPECT_EQ(window.helpContext(), 2);
  EXPECT_EQ(window.title(), "Test Lists");

  auto* name = window.Get<UIW_STRING>("NAME_FIELD");
  EXPECT_EQ(window.Get<UIW_STRING>(7), name);  // one wrapper per object
  EXPECT_EQ(name->numberID(), 7);
  EXPECT_EQ(name->maxLength(), 80);
  name->setText(
      "Cr\xE8me br\xFBl\xE9"
      "e");  // Windows-1252 in, Windows-1252 out
  EXPECT_EQ(name->text(),
            "Cr\xE8me br\xFBl\xE9"
            "e");

  window.Get("NUMID_TITLE")->setText("Apple Pie");
  EXPECT_EQ(window.title(), "Apple Pie");

  auto* tips = window.Get<UIW_BUTTON>("SHOW_TIPS");
  tips->setChecked(true);
  EXPECT_TRUE(tips->isChecked());
  tips->setText("Show Intro at Startup");
  EXPECT_EQ(tips->text(), "Show Intro at Startup");
  tips->setSelectable(false);
  EXPECT_FALSE(tips->isSelectable());
  tips->hide();
  EXPECT_FALSE(tips->isVisible());
  tips->show();
  EXPECT_TRUE(tips->isVisible());

  auto* tabs = window.Get<UIW_NOTEBOOK>("TABS");
  EXPECT_EQ(tabs->pageCount(), 2);
  tabs->setCurrentPage(1);
  EXPECT_EQ(tabs->currentPage(), 1);
  window.Get<UIW_TEXT>("NOTES")->setText("line one\r\nline two");
  EXPECT_EQ(window.Get<UIW_TEXT>("NOTES")->text(), "line one\nline two");
}

TEST_F(WindowTest, MissingOrMistypedChildrenFailLoudlyNamingWindowAndChild) {
  UIW_WINDOW window("TEST_LISTS");
  try {
    window.Get("NO_SUCH_BUTTON");
    FAIL() << "no exception";
  } catch (const MissingChild& e) {
    EXPECT_STREQ(e.what(), "window TEST_LISTS: NO_SUCH_BUTTON not found");
  }
  EXPECT_THROW(window.Get<UIW_VT_LIST>("NAME_FIELD"), MissingChild);
  EXPECT_THROW(window.Get(99), MissingChild);
  EXPECT_EQ(window.Find<UIW_STRING>("NO_SUCH_FIELD"), nullptr);
  EXPECT_THROW(window.resolve({"TEST_LISTS", {{"NAME_FIELD", 8, ObjectKind::String}}}),
               MissingChild);
  EXPECT_THROW(window.resolve({"TEST_LISTS", {{"OK_BUTTON", 0, ObjectKind::List}}}), MissingChild);
  EXPECT_NO_THROW(window.resolve({"TEST_LISTS",
                                  {{"NAME_FIELD", 7, ObjectKind::String},
                                   {"", 7, ObjectKind::String},
                                   {"OK_BUTTON", 0, ObjectKind::Button},
                                   {"PHOTO", 0, ObjectKind::Picture},
                                   {"LEFT_LIST", 0, ObjectKind::List}}}));
  EXPECT_THROW(UIW_WINDOW("NO_SUCH_WINDOW"), MissingChild);
}

TEST(ObjectStoreTest, MissingOrForeignObjectFilesDoNotOpen) {
  savora::testing::TempFolder dir;
  EXPECT_FALSE(ObjectStore::open(dir.str() + "OBJECTS.DAT"));
  EXPECT_FALSE(ObjectStore::isOpen());
  const auto junk = dir.write("OBJECTS.DAT", "not a resource file at all");
  EXPECT_FALSE(ObjectStore::open(junk.string()));
  EXPECT_FALSE(ObjectStore::isOpen());
  EXPECT_EQ(ObjectStore::load("MAIN"), nullptr);
}

TEST_F(WindowTest, WindowManagerFindsByKindFrontsAndDestroysAfterTheEvent) {
  auto& manager = UI_WINDOW_MANAGER::instance();
  auto* recipe = manager.add(std::make_unique<RecordingWindow>());
  recipe->setNumberID(401);
  auto* shelf = manager.add(std::make_unique<RecordingWindow>());
  shelf->setNumberID(1702);
  EXPECT_EQ(manager.windows().size(), 2u);
  EXPECT_EQ(manager.findKind(400), recipe);
  EXPECT_EQ(manager.findKind(1700), shelf);
  EXPECT_EQ(manager.findKind(200), nullptr);

  // Closing asks the window (S_CLOSE); by default it takes itself off the screen, and it is
  // destroyed only once its handler has returned.
  bool handlerRanWithWindowAlive = false;
  recipe->onEvent = [&](const UI_EVENT& e) { handlerRanWithWindowAlive = e.type == S_CLOSE; };
  recipe->post(UI_EVENT(S_CLOSE));
  recipe->post(UI_EVENT(12345));  // dropped: the window is gone by then
  settle();
  EXPECT_TRUE(handlerRanWithWindowAlive);
  EXPECT_EQ(manager.findKind(400), nullptr);
  EXPECT_EQ(manager.windows(), std::vector<UIW_WINDOW*>{shelf});
  EXPECT_EQ(UI_EVENT_MANAGER::instance().pendingCount(), 0u);
}

TEST_F(FrameTest, ChildWindowsLiveInTheFrameAndTheFrontOneIsKnown) {
  UIW_MDIFRAME frame("MAIN");
  auto& manager = UI_WINDOW_MANAGER::instance();
  manager.setFrame(&frame, frame.mdiArea());
  frame.widget()->show();
  auto* a = manager.add(std::make_unique<UIW_WINDOW>("STATUS_WINDOW"));
  a->setNumberID(400);
  a->setTitle("Apple Pie");
  auto* b = manager.add(std::make_unique<UIW_WINDOW>("STATUS_WINDOW"));
  b->setNumberID(701);
  EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 2);
  EXPECT_EQ(manager.front(), b);
  manager.bringToFront(a);
  EXPECT_EQ(manager.front(), a);
  EXPECT_EQ(manager.windows().back(), a);
  EXPECT_EQ(manager.findKind(700), b);

  // The close button of a child asks the window instead of closing it.
  a->widget()->parentWidget()->close();
  EXPECT_TRUE(manager.contains(a));
  settle();
  EXPECT_FALSE(manager.contains(a));
  EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 1);
  manager.closeAll();
  manager.setFrame(nullptr, nullptr);
}

TEST_F(FrameTest, AChildWiderThanTheFrameStartsAtItsLeftEdge) {
  UIW_MDIFRAME frame("MAIN");
  auto& manager = UI_WINDOW_MANAGER::instance();
  manager.setFrame(&frame, frame.mdiArea());
  frame.widget()->resize(640, 480);
  frame.widget()->show();
  settle();
  auto made = std::make_unique<UIW_WINDOW>("STATUS_WINDOW");
  made->widget()->setMinimumSize(900, 300);  // wider than the frame can show
  auto* wide = manager.add(std::move(made));
  settle();
  const QRect placed = wide->widget()->parentWidget()->geometry();
  const QRect area = frame.mdiArea()->viewport()->rect();
  EXPECT_EQ(placed.left(), 0);
  EXPECT_GE(placed.top(), 0);
  EXPECT_LE(placed.bottom(), area.bottom());
  manager.closeAll();
  manager.setFrame(nullptr, nullptr);
}

TEST_F(FrameTest, ClosingTheFramePassesTheExitFunctionWhichCanRefuse) {
  UIW_MDIFRAME frame("MAIN");
  frame.widget()->show();
  int asked = 0;
  bool allow = false;
  UI_WINDOW_MANAGER::instance().setExitFunction([&] {
    ++asked;
    return allow;
  });
  frame.widget()->close();
  settle();
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(frame.widget()->isVisible());
  EXPECT_FALSE(UI_EVENT_MANAGER::instance().exitReached());

  // The exit event of the menu goes the same way.
  frame.post(UI_EVENT(L_EXIT_FUNCTION));
  settle();
  EXPECT_EQ(asked, 2);
  EXPECT_FALSE(UI_EVENT_MANAGER::instance().exitReached());

  allow = true;
  frame.widget()->close();
  settle();
  EXPECT_EQ(asked, 3);
  EXPECT_FALSE(frame.widget()->isVisible());
  EXPECT_TRUE(UI_EVENT_MANAGER::instance().exitReached());
}

TEST_F(FrameTest, MenuAndToolbarItemsSendTheirCommandsToTheFrame) {
  struct Frame : UIW_MDIFRAME {
    Frame() : UIW_MDIFRAME("MAIN") {}
    int Event(const UI_EVENT& e) override {
      codes.push_back(e.type);
      if (e.source) names.push_back(e.source->name());
      return e.type;
    }
    std::vector<int> codes;
    std::vector<std::string> names;
  } frame;
  frame.Get<UIW_POP_UP_ITEM>("SAVE")->click();
  frame.Get<UIW_POP_UP_ITEM>("CONVERT_BUTTON")->click();
  frame.Get<UIW_POP_UP_ITEM>("PRINT_BUTTON")->click();
  settle();
  EXPECT_EQ(frame.codes, (std::vector<int>{10002, 10439, 10414}));
  EXPECT_EQ(frame.names, (std::vector<std::string>{"SAVE", "CONVERT_BUTTON", "PRINT_BUTTON"}));

  auto* toolbar = frame.Get<UIW_TOOL_BAR>("MAIN_TOOLBAR");
  auto* catalog = frame.Get("CATALOG_BUTTON");
  EXPECT_TRUE(toolbar->contains(*catalog));
  toolbar->remove(*catalog);
  EXPECT_FALSE(toolbar->contains(*catalog));
}

// Puts a child window at a place and size of the client area.
QMdiSubWindow* placeChild(UIW_WINDOW* window, const QRect& where) {
  auto* sub = qobject_cast<QMdiSubWindow*>(window->widget()->parentWidget());
  if (sub) sub->setGeometry(where);
  return sub;
}

class DialogTest : public FrameTest {
 protected:
  void SetUp() override {
    FrameTest::SetUp();
    frame = std::make_unique<UIW_MDIFRAME>("MAIN");
    manager.setFrame(frame.get(), frame->mdiArea());
    frame->widget()->resize(1000, 700);
    frame->widget()->show();
    settle();
  }
  void TearDown() override {
    manager.closeAll();
    manager.setFrame(nullptr, nullptr);
    frame.reset();
    FrameTest::TearDown();
  }
  UIW_WINDOW* child(int id) {
    auto window = std::make_unique<UIW_WINDOW>("STATUS_WINDOW");
    window->setNumberID(id);
    return manager.add(std::move(window));
  }
  UIW_WINDOW* dialog() {
    auto window = std::make_unique<UIW_WINDOW>("STATUS_WINDOW");
    window->setModal(true);
    return manager.add(std::move(window));
  }

  UI_WINDOW_MANAGER& manager = UI_WINDOW_MANAGER::instance();
  std::unique_ptr<UIW_MDIFRAME> frame;
};

// Lets a window manager, when there is one (scripts/check-window-front runs this under X with
// openbox), act on what was shown and hidden.
void letTheWindowManagerAct() {
  QElapsedTimer waited;
  waited.start();
  while (waited.elapsed() < 300) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
}

// Dialogs open as windows of their own (modal) or, as the program's windows do, as children of
// the frame; either way the window they came from is in front again when they close, also after
// a window of its own (a file dialog, a message) has come and gone.
class DialogReturnTest : public DialogTest, public ::testing::WithParamInterface<bool> {};

TEST_P(DialogReturnTest, TheWindowADialogCameFromStaysInFrontWhenItCloses) {
  UIW_WINDOW* recipe = child(401);
  UIW_WINDOW* shelf = child(1701);
  manager.bringToFront(recipe);
  // The shelf lies above the recipe window in the client area's stacking order.
  placeChild(shelf, QRect(0, 0, 300, 200))->raise();
  manager.bringToFront(recipe);
  UIW_WINDOW* servings = GetParam() ? dialog() : child(1210);
  settle();
  letTheWindowManagerAct();
  // As the dialog goes, the frame takes the focus back and hands it to the shelf.
  struct FocusOnHide : QObject {
    QWidget* next;
    explicit FocusOnHide(QWidget* w) : next(w) {}
    bool eventFilter(QObject*, QEvent* e) override {
      if (e->type() == QEvent::Hide) next->setFocus();
      return false;
    }
  } focusToShelf(shelf->widget()->findChild<QWidget*>());
  servings->widget()->installEventFilter(&focusToShelf);
  servings->post(UI_EVENT(S_CLOSE));
  settle();
  letTheWindowManagerAct();
  EXPECT_EQ(manager.front(), recipe);
  EXPECT_EQ(manager.windows().back(), recipe);

  // A window of its own comes and goes: the frame is activated again.
  QWidget message(frame->widget(), Qt::Dialog);
  message.resize(200, 100);
  message.show();
  message.activateWindow();
  letTheWindowManagerAct();
  message.close();
  letTheWindowManagerAct();
  EXPECT_EQ(manager.front(), recipe);
}

INSTANTIATE_TEST_SUITE_P(ModalOrChild, DialogReturnTest, ::testing::Bool());

TEST_F(DialogTest, ADialogOpensCentredOverTheWindowItCameFrom) {
  UIW_WINDOW* recipe = child(401);
  QMdiSubWindow* sub = placeChild(recipe, QRect(120, 60, 460, 340));
  settle();
  UIW_WINDOW* unit = dialog();
  settle();
  const QPoint centre = sub->mapToGlobal(sub->rect().center());
  const QPoint placed = unit->widget()->frameGeometry().center();
  EXPECT_LE((placed - centre).manhattanLength(), 6) << placed.x() << "," << placed.y();

  // With no child window open it is centred over the frame.
  manager.closeAll();
  UIW_WINDOW* alone = dialog();
  settle();
  const QPoint frameCentre = frame->widget()->mapToGlobal(frame->widget()->rect().center());
  EXPECT_LE((alone->widget()->frameGeometry().center() - frameCentre).manhattanLength(), 6);
}

TEST_F(DialogTest, AChildCannotShrinkBelowWhatItsLayoutNeeds) {
  UIW_WINDOW* window = child(401);
  QWidget* content = window->widget();
  ASSERT_NE(content->layout(), nullptr);
  const QSize needed = content->layout()->totalMinimumSize();
  EXPECT_EQ(content->minimumSize(), needed);
  placeChild(window, QRect(0, 0, 20, 20));
  settle();
  EXPECT_GE(content->width(), needed.width());
  EXPECT_GE(content->height(), needed.height());
}

TEST_F(DialogTest, TheRecipeWindowFitsAFrameOf800By600) {
  frame->widget()->resize(800, 600);
  settle();
  auto* recipe = manager.add(std::make_unique<UIW_WINDOW>("RECIPE_WINDOW"));
  settle();
  const QSize room = frame->mdiArea()->viewport()->size();
  const QSize needed = recipe->widget()->parentWidget()->minimumSize();
  EXPECT_LE(needed.width(), room.width()) << needed.width() << " > " << room.width();
  EXPECT_LE(needed.height(), room.height()) << needed.height() << " > " << room.height();
  recipe->Get<UIW_NOTEBOOK>("TABS")->setCurrentPage(1);
  savora::testing::keepScreenshot(frame->widget()->grab().toImage(), "RECIPE_EDIT_800x600.png");
}

TEST_F(FrameTest, EnterPressesTheDefaultButtonOfAWindow) {
  RecordingWindow unit("UNIT_INFORMATION");
  auto* ok = qobject_cast<QPushButton*>(unit.Get("OK_BUTTON")->widget());
  ASSERT_NE(ok, nullptr);
  ASSERT_TRUE(ok->isDefault());
  unit.widget()->show();
  QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
  QCoreApplication::sendEvent(unit.Get("NAME")->widget(), &enter);
  settle();
  ASSERT_FALSE(unit.received.empty());
  EXPECT_EQ(unit.received.back().type, ok->property("event").toInt());
}

// The mnemonic letter of a text, or 0.
QChar mnemonic(const QString& text) {
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] != '&') return text[i + 1].toLower();
    ++i;
  }
  return QChar();
}

// The tab pages a widget lies on, outermost first: widgets on different pages of one tab
// widget never show together.
QList<QWidget*> pagesOf(QWidget* widget, QWidget* root) {
  QList<QWidget*> pages;
  for (QWidget* w = widget; w && w != root; w = w->parentWidget()) {
    QWidget* stack = w->parentWidget();
    if (stack && qobject_cast<QTabWidget*>(stack->parentWidget())) pages.prepend(w);
  }
  return pages;
}

bool showTogether(const QList<QWidget*>& a, const QList<QWidget*>& b) {
  const qsizetype n = std::min(a.size(), b.size());
  return a.first(n) == b.first(n);
}

TEST_F(FrameTest, NoTwoControlsOfAWindowShareAMnemonic) {
  struct Key {
    QChar letter;
    QString name;
    QList<QWidget*> pages;
  };
  for (const std::string& name : ObjectStore::names()) {
    SCOPED_TRACE(name);
    UIW_WINDOW window(name);
    QWidget* root = window.widget();
    std::vector<Key> keys;
    for (QWidget* w : root->findChildren<QWidget*>()) {
      if (w->testAttribute(Qt::WA_WState_ExplicitShowHide) && w->isHidden() &&
          !pagesOf(w, root).contains(w))
        continue;
      QString text;
      if (auto* button = qobject_cast<QAbstractButton*>(w)) text = button->text();
      if (auto* label = qobject_cast<QLabel*>(w)) text = label->text();
      if (!mnemonic(text).isNull())
        keys.push_back({mnemonic(text), w->objectName(), pagesOf(w, root)});
      if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        for (int i = 0; i < tabs->count(); ++i) {
          const QString title = tabs->tabText(i);
          if (!mnemonic(title).isNull())
            keys.push_back({mnemonic(title), title, pagesOf(tabs, root)});
        }
      }
    }
    for (size_t i = 0; i < keys.size(); ++i) {
      for (size_t j = i + 1; j < keys.size(); ++j) {
        if (keys[i].letter == keys[j].letter && showTogether(keys[i].pages, keys[j].pages)) {
          ADD_FAILURE() << "Alt+" << QString(keys[i].letter).toStdString() << ": "
                        << keys[i].name.toStdString() << " and " << keys[j].name.toStdString();
        }
      }
    }
  }
}

}  // namespace
}  // namespace savora::toolkit
