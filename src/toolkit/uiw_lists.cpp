#include "toolkit/uiw_lists.h"

#include <QComboBox>
#include <QDropEvent>
#include <QIcon>
#include <QPointer>

#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/qt_text.h"
#include "toolkit/ui_event.h"
#include "toolkit/uiw_window.h"

namespace savora::toolkit {
namespace {

constexpr int kIdRole = Qt::UserRole;
constexpr int kEventRole = Qt::UserRole + 1;

void setCheck(QListWidgetItem* item, int check) {
  if (check == ListEntry::kNoCheck) {
    item->setFlags(item->flags() & ~Qt::ItemIsUserCheckable);
    item->setData(Qt::CheckStateRole, QVariant());
  } else {
    item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
    item->setCheckState(check ? Qt::Checked : Qt::Unchecked);
  }
}

QListWidgetItem* makeItem(const ListEntry& entry) {
  auto* item = new QListWidgetItem(toQt(entry.text));
  if (!entry.icon.empty()) {
    item->setIcon(QIcon(QStringLiteral(":/objects/icons/") + QString::fromStdString(entry.icon) +
                        QStringLiteral(".svg")));
  }
  item->setData(kIdRole, qlonglong(entry.id));
  item->setData(kEventRole, entry.event);
  setCheck(item, entry.check);
  return item;
}

ListEntry entryOf(const QListWidgetItem* item) {
  if (!item) return {};
  ListEntry entry{fromQt(item->text()), long(item->data(kIdRole).toLongLong()),
                  item->data(kEventRole).toInt()};
  if (item->flags() & Qt::ItemIsUserCheckable) entry.check = item->checkState() == Qt::Checked;
  return entry;
}

QPointer<DragList>& currentDragSource() {
  static QPointer<DragList> source;
  return source;
}
int& currentDragRow() {
  static int row = -1;
  return row;
}

}  // namespace

bool UIW_VT_LIST::accepts(QObject* o) {
  return qobject_cast<QListWidget*>(o);
}
QListWidget* UIW_VT_LIST::list() const {
  return static_cast<QListWidget*>(widget());
}

void UIW_VT_LIST::clear() {
  const QSignalBlocker block(list());
  list()->clear();
}

int UIW_VT_LIST::add(const ListEntry& entry) {
  const QSignalBlocker block(list());
  list()->addItem(makeItem(entry));
  return list()->count() - 1;
}

void UIW_VT_LIST::insert(int index, const ListEntry& entry) {
  const QSignalBlocker block(list());
  list()->insertItem(index, makeItem(entry));
}

void UIW_VT_LIST::remove(int index) {
  const QSignalBlocker block(list());
  delete list()->takeItem(index);
}

void UIW_VT_LIST::setEntry(int index, const ListEntry& entry) {
  const QSignalBlocker block(list());
  if (auto* item = list()->item(index)) {
    item->setText(toQt(entry.text));
    item->setData(kIdRole, qlonglong(entry.id));
    item->setData(kEventRole, entry.event);
    setCheck(item, entry.check);
  }
}

int UIW_VT_LIST::count() const {
  return list()->count();
}
ListEntry UIW_VT_LIST::entry(int index) const {
  return entryOf(list()->item(index));
}

std::vector<ListEntry> UIW_VT_LIST::entries() const {
  std::vector<ListEntry> out;
  for (int i = 0; i < count(); ++i) out.push_back(entry(i));
  return out;
}

int UIW_VT_LIST::findId(long id) const {
  for (int i = 0; i < count(); ++i) {
    if (list()->item(i)->data(kIdRole).toLongLong() == id) return i;
  }
  return -1;
}

int UIW_VT_LIST::findText(std::string_view text) const {
  const QString wanted = toQt(text);
  for (int i = 0; i < count(); ++i) {
    if (list()->item(i)->text().compare(wanted, Qt::CaseInsensitive) == 0) return i;
  }
  return -1;
}

int UIW_VT_LIST::current() const {
  return list()->currentRow();
}

void UIW_VT_LIST::setCurrent(int index) {
  const QSignalBlocker block(list());
  list()->setCurrentRow(index);
  if (index < 0) list()->clearSelection();
}

long UIW_VT_LIST::currentId() const {
  return entry(current()).id;
}
std::string UIW_VT_LIST::text() const {
  return entry(current()).text;
}

std::vector<int> UIW_VT_LIST::selectedIndexes() const {
  std::vector<int> rows;
  for (const auto& index : list()->selectionModel()->selectedIndexes()) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  return rows;
}

void UIW_VT_LIST::sort() {
  list()->sortItems();
}

bool UIW_COMBO_BOX::accepts(QObject* o) {
  return qobject_cast<QComboBox*>(o);
}
QComboBox* UIW_COMBO_BOX::combo() const {
  return static_cast<QComboBox*>(widget());
}

void UIW_COMBO_BOX::clear() {
  const QSignalBlocker block(combo());
  combo()->clear();
}

int UIW_COMBO_BOX::add(const ListEntry& entry) {
  const QSignalBlocker block(combo());
  combo()->addItem(toQt(entry.text));
  const int index = combo()->count() - 1;
  combo()->setItemData(index, qlonglong(entry.id), kIdRole);
  combo()->setItemData(index, entry.event, kEventRole);
  return index;
}

void UIW_COMBO_BOX::remove(int index) {
  const QSignalBlocker block(combo());
  combo()->removeItem(index);
}

int UIW_COMBO_BOX::count() const {
  return combo()->count();
}

ListEntry UIW_COMBO_BOX::entry(int index) const {
  if (index < 0 || index >= count()) return {};
  return {fromQt(combo()->itemText(index)),
          long(combo()->itemData(index, kIdRole).toLongLong()),
          combo()->itemData(index, kEventRole).toInt(),
          {}};
}

int UIW_COMBO_BOX::findId(long id) const {
  return combo()->findData(qlonglong(id), kIdRole);
}

int UIW_COMBO_BOX::findText(std::string_view text) const {
  return combo()->findText(toQt(text), Qt::MatchFixedString);  // fixed string ignores case
}

int UIW_COMBO_BOX::current() const {
  return combo()->currentIndex();
}

void UIW_COMBO_BOX::setCurrent(int index) {
  const QSignalBlocker block(combo());
  combo()->setCurrentIndex(index);
}

long UIW_COMBO_BOX::currentId() const {
  return entry(current()).id;
}

DragList::DragList(QWidget* parent) : QListWidget(parent) {}

void DragList::enableDragDrop() {
  setDragEnabled(true);
  setAcceptDrops(true);
  viewport()->setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);
}

void DragList::beginDrag(int row) {
  currentDragSource() = this;
  currentDragRow() = row;
}

DragList* DragList::dragSource() {
  return currentDragSource();
}
int DragList::dragRow() {
  return currentDragRow();
}

void DragList::startDrag(Qt::DropActions supportedActions) {
  beginDrag(currentRow());
  QListWidget::startDrag(supportedActions);
  currentDragSource() = nullptr;
  currentDragRow() = -1;
}

void DragList::dragEnterEvent(QDragEnterEvent* event) {
  if (dragSource()) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void DragList::dragMoveEvent(QDragMoveEvent* event) {
  if (dragSource()) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

namespace {

// Posts the drop of the entry being dragged onto `target` (a list, or another widget) to the
// target's window, and ends the drag. False when the drag did not come from a list of a window.
bool postDrop(QWidget* target, int code, int targetRow, long targetId) {
  DragList* source = DragList::dragSource();
  UIW_WINDOW* targetWindow = UIW_WINDOW::owning(target);
  UIW_WINDOW* sourceWindow = source ? UIW_WINDOW::owning(source) : nullptr;
  if (!source || !targetWindow || !sourceWindow) return false;
  const int sourceRow = DragList::dragRow();
  const QListWidgetItem* dragged = source->item(sourceRow);
  UI_EVENT drop(code ? code : L_DROP, dragged ? sourceRow : -1,
                dragged ? long(dragged->data(kIdRole).toLongLong()) : -1, targetRow, targetId);
  drop.source = sourceWindow->wrap(source);
  drop.target = targetWindow->wrap(target);
  UI_EVENT_MANAGER::instance().post(targetWindow, drop);
  currentDragSource() = nullptr;
  currentDragRow() = -1;
  return true;
}

// Takes drags of list entries on a widget that is not a list.
class EntryDropFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::DragEnter:
      case QEvent::DragMove: {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (!DragList::dragSource()) {
          drag->ignore();
          return true;
        }
        drag->setDropAction(Qt::CopyAction);
        drag->accept();
        return true;
      }
      case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        auto* widget = static_cast<QWidget*>(watched);
        if (postDrop(widget, widget->property("dropEvent").toInt(), -1, -1)) {
          drop->setDropAction(Qt::CopyAction);
          drop->accept();
        } else {
          drop->ignore();
        }
        return true;
      }
      default:
        return false;
    }
  }
};

}  // namespace

void DragList::dropEvent(QDropEvent* event) {
  const int targetRow = indexAt(event->position().toPoint()).row();
  const QListWidgetItem* under = targetRow >= 0 ? item(targetRow) : nullptr;
  // Copy action: the source keeps its entry; the window decides what the drop means.
  if (postDrop(this, property("dropEvent").toInt(), under ? targetRow : -1,
               under ? long(under->data(kIdRole).toLongLong()) : -1)) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  } else {
    event->ignore();
  }
}

void acceptEntryDrops(QWidget* widget) {
  widget->setAcceptDrops(true);
  widget->installEventFilter(new EntryDropFilter(widget));
}

}  // namespace savora::toolkit
