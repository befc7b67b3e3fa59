// Lists and combo boxes whose entries carry an identifier and an event, and the list widget that
// delivers a drag from one list to another as one numbered event.
#pragma once

#include <QListWidget>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/ui_window_object.h"

class QComboBox;

namespace savora::toolkit {

struct ListEntry {
  ListEntry() = default;
  ListEntry(std::string entryText, long entryId = 0, int entryEvent = 0, std::string entryIcon = {})
      : text(std::move(entryText)), id(entryId), event(entryEvent), icon(std::move(entryIcon)) {}

  std::string text;
  long id = 0;       // the record identifier the entry stands for
  int event = 0;     // sent to the list's window when the entry is activated (double click, Enter)
  std::string icon;  // name of an icon of the object file (":/objects/icons/<icon>.svg"), or ""
  // A check box on the entry: kNoCheck for none, else whether it is ticked. A list whose
  // "checkEvent" property is set sends that event when the user ticks or clears an entry
  // (values: the entry's index, 1 ticked or 0 cleared).
  int check = kNoCheck;

  static constexpr int kNoCheck = -1;
};

// Vertical list.
class UIW_VT_LIST : public UI_WINDOW_OBJECT {
 public:
  using UI_WINDOW_OBJECT::UI_WINDOW_OBJECT;
  static bool accepts(QObject* object);

  void clear();
  // Appends an entry; returns its index.
  int add(const ListEntry& entry);
  void insert(int index, const ListEntry& entry);
  void remove(int index);
  void setEntry(int index, const ListEntry& entry);
  int count() const;
  ListEntry entry(int index) const;
  std::vector<ListEntry> entries() const;
  // The first entry with this identifier / this text (ignoring case), or -1.
  int findId(long id) const;
  int findText(std::string_view text) const;

  // The current entry, -1 when none.
  int current() const;
  // Makes an entry current (-1: none) without sending the list's selection event.
  void setCurrent(int index);
  long currentId() const;             // 0 when none
  std::string text() const override;  // the current entry's text
  std::vector<int> selectedIndexes() const;
  void sort();

 private:
  QListWidget* list() const;
};

// Combo box; an editable one also has free text (text() / setText()).
class UIW_COMBO_BOX : public UI_WINDOW_OBJECT {
 public:
  using UI_WINDOW_OBJECT::UI_WINDOW_OBJECT;
  static bool accepts(QObject* object);

  void clear();
  int add(const ListEntry& entry);
  void remove(int index);
  int count() const;
  ListEntry entry(int index) const;
  int findId(long id) const;
  int findText(std::string_view text) const;
  int current() const;
  void setCurrent(int index);  // without sending the combo's event
  long currentId() const;

 private:
  QComboBox* combo() const;
};

// The list widget windows are built with. A drop of an entry from one such list onto another
// (or the same) list is posted to the target's window as one event; nothing moves by itself, the
// window decides what the drop means. Lists take part when their "dragDrop" property is true.
class DragList : public QListWidget {
  Q_OBJECT
 public:
  explicit DragList(QWidget* parent = nullptr);
  // Enables dragging from and dropping onto this list.
  void enableDragDrop();
  // Records that a drag of entry `row` starts here (startDrag calls it; tests call it directly).
  void beginDrag(int row);
  // The list and row of the drag in progress, if any.
  static DragList* dragSource();
  static int dragRow();

 protected:
  void startDrag(Qt::DropActions supportedActions) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

// Lets a widget that is not a list (a button, such as a waste bin) take drops of DragList
// entries: the drop arrives at the widget's window as the widget's "dropEvent" code with values
// {dragged index, dragged identifier, -1, -1}, source the list dragged from, target the widget.
// Windows call it for every such widget whose "dropEvent" property is set.
void acceptEntryDrops(QWidget* widget);

}  // namespace savora::toolkit
