#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QListWidget>

#include "toolkit/type_ahead.h"
#include "toolkit_fixture.h"

namespace savora::toolkit {
namespace {

using TypedKeysTest = ToolkitTest;

// Presses a key on a widget; true when the widget (or a filter) accepted it.
void press(QWidget* widget, int key, const QString& text = {},
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QKeyEvent event(QEvent::KeyPress, key, modifiers, text);
  QApplication::sendEvent(widget, &event);
}

std::vector<std::array<long, 2>> typed(const RecordingWindow& window, int code) {
  std::vector<std::array<long, 2>> out;
  for (const UI_EVENT& e : window.received) {
    if (e.type == code) out.push_back({e.values[0], e.values[1]});
  }
  return out;
}

TEST_F(TypedKeysTest, CharactersAndBackspaceBecomeEventsInsteadOfMovingTheList) {
  RecordingWindow window;
  auto* list = window.Get<UIW_VT_LIST>("LEFT_LIST");
  for (const char* name : {"Apple Pie", "Soups", "Stews"}) list->add({name});
  list->setCurrent(0);
  auto* widget = static_cast<QListWidget*>(list->widget());

  press(widget, Qt::Key_S, "s");
  press(widget, Qt::Key_T, "T", Qt::ShiftModifier);
  press(widget, Qt::Key_Space, " ");
  press(widget, Qt::Key_E, QString::fromUtf8("\xC3\xA9"));  // é: Windows-1252 0xE9
  press(widget, Qt::Key_Backspace);
  settle();
  EXPECT_EQ(typed(window, 4205),
            (std::vector<std::array<long, 2>>{{'s', 0}, {'T', 1}, {' ', 0}, {0xE9, 0}, {8, 0}}));
  EXPECT_EQ(widget->currentRow(), 0);  // the list's own keyboard search never ran
  ASSERT_FALSE(window.received.empty());
  EXPECT_EQ(window.received.front().source, list);

  // Moving, confirming, leaving and shortcuts stay the widget's.
  window.received.clear();
  press(widget, Qt::Key_Down);
  press(widget, Qt::Key_Tab, "\t");
  press(widget, Qt::Key_Return, "\r");
  press(widget, Qt::Key_Escape, "\x1b");
  press(widget, Qt::Key_A, "a", Qt::ControlModifier);
  press(widget, Qt::Key_N, "n", Qt::AltModifier);
  settle();
  EXPECT_TRUE(typed(window, 4205).empty());
  EXPECT_EQ(widget->currentRow(), 1);
}

TEST_F(TypedKeysTest, OnlyListsThatAskForKeysGetThem) {
  RecordingWindow window;
  auto* combo = window.Get<UIW_COMBO_BOX>("KIND_COMBO");
  combo->add({"cup", 4});
  combo->add({"tablespoon", 7});
  press(combo->widget(), Qt::Key_T, "t");
  settle();
  EXPECT_EQ(typed(window, 4206), (std::vector<std::array<long, 2>>{{'t', 0}}));
  EXPECT_EQ(combo->current(), 0);

  // A list without the property keeps its own keyboard search and sends nothing.
  auto* right = window.Get<UIW_VT_LIST>("RIGHT_LIST");
  right->add({"Monday"});
  right->add({"Tuesday"});
  right->setCurrent(0);
  window.received.clear();
  press(right->widget(), Qt::Key_T, "t");
  settle();
  EXPECT_TRUE(window.received.empty());
  EXPECT_EQ(right->current(), 1);
}

}  // namespace
}  // namespace savora::toolkit
