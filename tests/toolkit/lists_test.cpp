#include <QApplication>
#include <QDropEvent>
#include <QMimeData>

#include "toolkit/event_codes.h"
#include "toolkit_fixture.h"

namespace savora::toolkit {
namespace {

using ListsTest = ToolkitTest;

void fill(UIW_VT_LIST* list, std::initializer_list<ListEntry> entries) {
  for (const auto& e : entries) list->add(e);
}

TEST_F(ListsTest, EntriesCarryIdentifierAndEvent) {
  RecordingWindow window;
  auto* list = window.Get<UIW_VT_LIST>("LEFT_LIST");
  fill(list, {{"Breads", 3, 10462}, {"Cakes", 9, 10462}, {"Soups", 12, 0}});
  EXPECT_EQ(list->count(), 3);
  EXPECT_EQ(list->findId(9), 1);
  EXPECT_EQ(list->findText("SOUPS"), 2);
  EXPECT_EQ(list->findText("Pies"), -1);
  list->insert(0, {"Appetizers", 1, 0});
  list->remove(3);
  EXPECT_EQ(list->count(), 3);
  EXPECT_EQ(list->entry(2).text, "Cakes");
  list->setCurrent(1);  // quietly: no selection event
  EXPECT_EQ(list->currentId(), 3);
  EXPECT_EQ(list->text(), "Breads");
  settle();
  EXPECT_TRUE(window.received.empty());

  // The user moving the selection sends the list's event; activating an entry sends the entry's.
  auto* widget = static_cast<QListWidget*>(list->widget());
  widget->setCurrentRow(2);
  emit widget->itemActivated(widget->item(2));
  settle();
  ASSERT_EQ(window.received.size(), 2u);
  EXPECT_EQ(window.received[0].type, 4201);
  EXPECT_EQ(window.received[0].values[0], 2);
  EXPECT_EQ(window.received[0].values[1], 9);
  EXPECT_EQ(window.received[0].source, list);
  EXPECT_EQ(window.received[1].type, 10462);
  EXPECT_EQ(window.received[1].values[1], 9);

  auto* combo = window.Get<UIW_COMBO_BOX>("KIND_COMBO");
  combo->add({"cup", 4, 0});
  combo->add({"tablespoon", 7, 0});
  EXPECT_EQ(combo->findText("TABLESPOON"), 1);
  EXPECT_EQ(combo->findId(4), 0);
  combo->setCurrent(1);
  EXPECT_EQ(combo->currentId(), 7);
  EXPECT_EQ(combo->text(), "tablespoon");
}

// Drops `row` of `from` onto `to` at the entry `targetRow` (-1: below the last entry).
void drop(UIW_VT_LIST* from, int row, UIW_VT_LIST* to, int targetRow) {
  auto* source = static_cast<DragList*>(from->widget());
  auto* target = static_cast<DragList*>(to->widget());
  source->beginDrag(row);
  QPoint at = targetRow >= 0 ? target->visualItemRect(target->item(targetRow)).center()
                             : QPoint(5, target->viewport()->height() - 3);
  QMimeData mime;
  mime.setText("entry");
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(target->viewport(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent dropEvent(QPointF(at), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                       Qt::NoModifier);
  QApplication::sendEvent(target->viewport(), &dropEvent);
}

TEST_F(ListsTest, ADragBetweenTwoListsArrivesAsOneEvent) {
  RecordingWindow window;
  auto* left = window.Get<UIW_VT_LIST>("LEFT_LIST");
  auto* right = window.Get<UIW_VT_LIST>("RIGHT_LIST");
  fill(left, {{"Apple Pie", 30, 0}, {"Pot Roast", 31, 0}});
  fill(right, {{"Monday", 1, 0}, {"Tuesday", 2, 0}});
  left->setCurrent(0);
  window.widget()->show();
  settle();
  ASSERT_TRUE(window.received.empty());

  drop(left, 1, right, 1);
  settle();
  ASSERT_EQ(window.received.size(), 1u);
  const UI_EVENT& e = window.received[0];
  EXPECT_EQ(e.type, 4202);  // the target list's drop event
  EXPECT_EQ(e.source, left);
  EXPECT_EQ(e.target, right);
  EXPECT_EQ(e.values, (std::array<long, 4>{1, 31, 1, 2}));
  // Nothing moved by itself.
  EXPECT_EQ(left->count(), 2);
  EXPECT_EQ(right->count(), 2);

  // A drop on empty space names no target entry; a drop onto the left list uses the default code.
  window.received.clear();
  drop(right, 0, right, -1);
  drop(right, 1, left, 0);
  settle();
  ASSERT_EQ(window.received.size(), 2u);
  EXPECT_EQ(window.received[0].values, (std::array<long, 4>{0, 1, -1, -1}));
  EXPECT_EQ(window.received[1].type, L_DROP);
  EXPECT_EQ(window.received[1].values, (std::array<long, 4>{1, 2, 0, 30}));
}

TEST_F(ListsTest, AButtonWithADropEventTakesEntriesDroppedOnIt) {
  RecordingWindow window;
  auto* left = window.Get<UIW_VT_LIST>("LEFT_LIST");
  auto* trash = window.Get<UIW_BUTTON>("TRASH_BUTTON");
  fill(left, {{"Apple Pie", 30, 0}, {"Pot Roast", 31, 0}});
  left->setCurrent(0);
  window.widget()->show();
  settle();
  ASSERT_TRUE(window.received.empty());
  EXPECT_TRUE(trash->widget()->acceptDrops());

  static_cast<DragList*>(left->widget())->beginDrag(1);
  QMimeData mime;
  mime.setText("entry");
  const QPoint at = trash->widget()->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(trash->widget(), &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent dropEvent(QPointF(at), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton,
                       Qt::NoModifier);
  QApplication::sendEvent(trash->widget(), &dropEvent);
  EXPECT_TRUE(dropEvent.isAccepted());
  settle();
  ASSERT_EQ(window.received.size(), 1u);
  EXPECT_EQ(window.received[0].type, 4207);
  EXPECT_EQ(window.received[0].source, left);
  EXPECT_EQ(window.received[0].target, trash);
  EXPECT_EQ(window.received[0].values, (std::array<long, 4>{1, 31, -1, -1}));
  EXPECT_EQ(DragList::dragSource(), nullptr);  // the drag is over

  // With no drag of an entry in progress (a file from another program) the button refuses.
  QDragEnterEvent stranger(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(trash->widget(), &stranger);
  EXPECT_FALSE(stranger.isAccepted());
  QDropEvent strangeDrop(QPointF(at), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(trash->widget(), &strangeDrop);
  settle();
  EXPECT_EQ(window.received.size(), 1u);
}

TEST_F(ListsTest, DropsFromOutsideAreRefused) {
  RecordingWindow window;
  auto* right = static_cast<DragList*>(window.Get<UIW_VT_LIST>("RIGHT_LIST")->widget());
  QMimeData mime;
  mime.setText("a file from another program");
  QDragEnterEvent enter(QPoint(3, 3), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(right->viewport(), &enter);
  EXPECT_FALSE(enter.isAccepted());
  settle();
  EXPECT_TRUE(window.received.empty());
}

}  // namespace
}  // namespace savora::toolkit
