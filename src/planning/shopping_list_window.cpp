#include "planning/shopping_list_window.h"

#include <QAbstractScrollArea>
#include <QFontMetrics>
#include <QLabel>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <cstdio>
#include <new>

#include "codes/program_codes.h"
#include "platform/text.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/help_window.h"
#include "toolkit/uiw_controls.h"
#include "toolkit/uiw_lists.h"
#include "toolkit/window_manager.h"

namespace savora::planning {

using namespace savora::toolkit;
using namespace savora::codes::shopping_list_window;

namespace {

constexpr const char* kSourceGone =
    "The target window used to create this shopping list\r\ncannot be found.  Please open the "
    "shopping list window again.";
constexpr const char* kAddItemText =
    "Type the item that you would like to add to your shopping list. For example, you could type "
    "\"toothpaste,\" \"10 apples,\" \"film for camera,\" etc...";
// The nutrient columns: every nutrient but the calories from fat, in stored order.
constexpr const char* kNutrientHeadings[food::kNutrientCount] = {
    "Cal.",  "",       "Total Fat", "Sat. Fat", "Chol.",   "Sodium",  "Carbs",
    "Fiber", "Sugars", "Protein",   "Vit. A",   "Vit. C.", "Calcium", "Iron"};

// One column of a row: words (names, store locations) padded or cut to the width.
std::string column(const std::string& text, size_t width) {
  std::string padded = text.size() > width ? text.substr(0, width) : text;
  padded.resize(width, ' ');
  return padded + " ";
}

// A column of an amount, price or nutrient: padded, never cut, so no number loses digits.
std::string numberColumn(const std::string& text, size_t width) {
  return text.size() >= width ? text + " " : column(text, width);
}

const char* titleWord(ShoppingSourceKind kind) {
  switch (kind) {
    case ShoppingSourceKind::Menu:
      return "Menu";
    case ShoppingSourceKind::Plan:
      return "Year Menu";
    case ShoppingSourceKind::Recipe:
      break;
  }
  return "Recipe";
}

ListSource listSource(ShoppingSourceKind kind) {
  switch (kind) {
    case ShoppingSourceKind::Menu:
      return ListSource::Menu;
    case ShoppingSourceKind::Plan:
      return ListSource::Plan;
    case ShoppingSourceKind::Recipe:
      break;
  }
  return ListSource::Recipe;
}

// Moves the heading's text right by what the list puts before its rows' texts: its frame and
// the check box of each row. The rows are wider than a small window: the heading scrolls
// sideways with them (it asks for no width of its own, so the window can be narrow).
void alignHeadingWithRows(QWidget& heading, QWidget& list) {
  auto* label = qobject_cast<QLabel*>(&heading);
  auto* rows = qobject_cast<QAbstractScrollArea*>(&list);
  if (!label || !rows) return;
  const QStyle* style = list.style();
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1;
  const int indent =
      rows->frameWidth() + style->pixelMetric(QStyle::PM_IndicatorWidth) + 3 * margin;
  label->setIndent(indent);
  // Scrolled by `offset` pixels, the heading leaves out the columns of text scrolled past (its
  // font is fixed-width) and starts as far left as the rest.
  QObject::connect(rows->horizontalScrollBar(), &QScrollBar::valueChanged, label,
                   [label, indent, heading = label->text()](int offset) {
                     const int width = QFontMetrics(label->font()).horizontalAdvance(QChar('x'));
                     const int scrolledPast = std::max(0, offset - indent);
                     const int past = width > 0 ? (scrolledPast + width - 1) / width : 0;
                     label->setText(heading.mid(past));
                     label->setIndent(std::max(0, indent - offset + past * width));
                   });
}

constexpr size_t kNameWidth = 22, kAmountWidth = 16, kLocationWidth = 16, kPriceWidth = 9,
                 kNutrientWidth = 9;

}  // namespace

const WindowSpec kShoppingListSpec{"SHOPPING_LIST_WINDOW",
                                   {{"HEADER_PROMPT", 0, ObjectKind::Prompt},
                                    {"SHOPPING_LIST", 0, ObjectKind::List},
                                    {"COST", 0, ObjectKind::Prompt},
                                    {"ACCURACY", 0, ObjectKind::Prompt},
                                    {"NUTRIENT_PANEL", 0, ObjectKind::Prompt},
                                    {"SETTINGS_BUTTON", 0, ObjectKind::Button},
                                    {"REBUILD_BUTTON", 0, ObjectKind::Button},
                                    {"EXPORT_BUTTON", 0, ObjectKind::Button},
                                    {"HANDHELD_BUTTON", 0, ObjectKind::Button},
                                    {"PRINT_BUTTON", 0, ObjectKind::Button},
                                    {"CLOSE_BUTTON", 0, ObjectKind::Button}}};

ShoppingListWindow::ShoppingListWindow(ShoppingListWindowServices services,
                                       ShoppingSourceKind kind, UIW_WINDOW& source)
    : UIW_WINDOW(kShoppingListSpec.resource),
      services_(std::move(services)),
      kind_(kind),
      source_(&source),
      list_(services_.tables, services_.user, {}) {
  resolve(kShoppingListSpec);
  setNumberID(codes::kKindShoppingList);
  setTitle(std::string("Shopping List from ") + titleWord(kind));
  rows_ = Get<UIW_VT_LIST>("SHOPPING_LIST");
  Get("PRINT_BUTTON")->setSelectable(bool(services_.printing));
  Get("HANDHELD_BUTTON")->setSelectable(bool(services_.sendToHandheld));
  if (kind == ShoppingSourceKind::Recipe) daysInMenu_ = 1;

  // Each row starts with its Have It box; the heading starts where the rows' texts do.
  std::string heading = column("Item", kNameWidth) + column("Amount", kAmountWidth) +
                        column("Store Location", kLocationWidth);
  if (services_.options.showPrices) heading += column("Price", kPriceWidth);
  for (int n = 0; n < food::kNutrientCount; ++n)
    if (n != food::kCaloriesFromFat) heading += column(kNutrientHeadings[n], kNutrientWidth);
  Get<UIW_PROMPT>("HEADER_PROMPT")->setText(heading);
  alignHeadingWithRows(*Get("HEADER_PROMPT")->widget(), *rows_->widget());

  if (services_.countUse) services_.countUse();
  if (build()) {
    fill();
  } else {
    post(UI_EVENT(S_CLOSE));
  }
}

ShoppingSettings ShoppingListWindow::settings() const {
  ShoppingSettings s;
  s.multiplier = multiply_;
  s.daysInMenu = daysInMenu_;
  s.excludePerishables = excludePerishables_;
  s.onlyPerishables = onlyPerishables_;
  s.servings = services_.options.serves;
  s.adjustServings = services_.options.adjustServings;
  s.divideNutrients = services_.options.divideNutrients;
  s.showPrices = services_.options.showPrices;
  return s;
}

bool ShoppingListWindow::build() {
  // Any failure while building ends this list with its message; the program keeps running.
  try {
    list_.setSettings(settings());
    list_.build(services_.readSource(*source_));
    return true;
  } catch (const std::bad_alloc&) {
    services_.user.message("Error!", "EXCLAMATION", Buttons::Ok, "Out of Memory!");
  } catch (const std::exception& e) {
    services_.user.message("Error!", "EXCLAMATION", Buttons::Ok, e.what());
  }
  return false;
}

void ShoppingListWindow::rebuild() {
  if (!UI_WINDOW_MANAGER::instance().contains(source_)) {
    services_.user.message("Error!", "EXCLAMATION", Buttons::Ok, kSourceGone);
    UI_WINDOW_MANAGER::instance().subtract(this);
    return;
  }
  if (build()) {
    fill();
  } else {
    UI_WINDOW_MANAGER::instance().subtract(this);
  }
}

std::string ShoppingListWindow::rowText(const ShoppingRow& row) const {
  if (row.isNewItemRow()) return row.amount;
  std::string text = column(row.name, kNameWidth) + numberColumn(row.amount, kAmountWidth) +
                     column(row.storeLocation, kLocationWidth);
  if (row.isOwnItem()) return text;
  if (services_.options.showPrices) text += numberColumn(row.price, kPriceWidth);
  for (int n = 0; n < food::kNutrientCount; ++n)
    if (n != food::kCaloriesFromFat) text += numberColumn(row.nutrients[size_t(n)], kNutrientWidth);
  return text;
}

void ShoppingListWindow::fill() {
  const int current = rows_->current();
  rows_->clear();
  for (size_t i = 0; i < list_.rows().size(); ++i) rows_->add(rowEntry(i));
  if (current >= 0 && current < rows_->count()) rows_->setCurrent(current);
  std::string panel;
  for (const std::string& line : list_.panelLines()) panel += line + "\n";
  Get<UIW_PROMPT>("NUTRIENT_PANEL")->setText(panel);
  Get<UIW_PROMPT>("ACCURACY")->setText(list_.accuracyText());
  showCost();
}

void ShoppingListWindow::showCost() { Get<UIW_PROMPT>("COST")->setText(list_.costText()); }

ListEntry ShoppingListWindow::rowEntry(size_t row) const {
  const ShoppingRow& shown = list_.rows()[row];
  ListEntry entry(rowText(shown), long(row), kOpenRow);
  // Every item and own item has its Have It box; "<new item>" and headings have none.
  if (!shown.isNewItemRow() && shown.ingredient != 0) entry.check = shown.haveIt ? 1 : 0;
  return entry;
}

void ShoppingListWindow::haveItTicked(int row, bool have) {
  if (row < 0 || size_t(row) >= list_.rows().size() || list_.rows()[size_t(row)].ingredient == 0)
    return;
  list_.setHaveIt(size_t(row), have);
  rows_->setEntry(row, rowEntry(size_t(row)));
  showCost();
}

void ShoppingListWindow::openRow(int row) {
  if (row < 0 || size_t(row) >= list_.rows().size()) return;
  const ShoppingRow& shown = list_.rows()[size_t(row)];
  if (shown.isNewItemRow()) {
    const auto text = services_.user.prompt("Add Item to Shopping List", kAddItemText,
                                            int(kOwnItemLength), "");
    if (text && list_.addOwnItem(*text)) fill();
    return;
  }
  if (shown.isOwnItem()) {
    const auto text = services_.user.prompt(
        "Edit Shopping List Item", "Change the name of this item now by typing the new name.",
        int(kOwnItemLength), shown.name);
    if (text && list_.renameOwnItem(size_t(row), *text)) fill();
    return;
  }
  if (shown.ingredient == 0) {
    services_.user.message("Group Heading", "EXCLAMATION", Buttons::Ok,
                           "Click Groups on the toolbar to edit this item.");
    return;
  }
  if (!services_.openIngredient) return;
  UIW_WINDOW* self = this;
  services_.openIngredient(shown.ingredient, [this, self, row] {
    if (!UI_WINDOW_MANAGER::instance().contains(self)) return;
    list_.recomputeItem(size_t(row));
    fill();
  });
}

void ShoppingListWindow::openSettings() {
  ShoppingListSettings values{multiply_,
                              services_.options.adjustServings,
                              services_.options.divideNutrients,
                              services_.options.serves,
                              daysInMenu_,
                              excludePerishables_,
                              onlyPerishables_};
  UIW_WINDOW* self = this;
  UI_WINDOW_MANAGER::instance().add(std::make_unique<ShoppingListSettingsWindow>(
      listSource(kind_), values, services_.user, [this, self] {
        if (UI_WINDOW_MANAGER::instance().contains(self)) rebuild();
      }));
}

void ShoppingListWindow::exportText() {
  auto path = services_.user.saveFileName("Export Text File...", "Text Files (*.txt)",
                                          suggestedFileName(title(), ".txt", "Shopping List"),
                                          Overwrite::CallerAsks);
  if (!path) return;
  if (path->find('.') == std::string::npos) *path += ".txt";
  bool append = false;
  if (FILE* existing = std::fopen(path->c_str(), "rb")) {
    std::fclose(existing);
    append = services_.user.message("Append to File!", "QUESTION", Buttons::YesNo,
                                    "That file already exists.  You can add\r\nthis information "
                                    "to the end of the file\r\nor over write the file.  Would you "
                                    "like\r\nto append to the end of this file?") == Button::Yes;
  }
  if (!writeShoppingText(*path, list_.exportText(), append))
    services_.user.message("Error!", "EXCLAMATION", Buttons::Ok,
                           "The shopping list could not be written to " + *path + ".");
}

int ShoppingListWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kOpenRow:
      openRow(rows_->current());
      break;
    case kHaveItTicked:
      haveItTicked(int(event.values[0]), event.values[1] != 0);
      break;
    case kSettings:
      openSettings();
      break;
    case kRebuild:
      rebuild();
      break;
    case codes::kExportText:
      exportText();
      break;
    case codes::kHandheldDownload:  // the main window asks which handheld user, then sends
      UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(codes::kHandheldDownload));
      break;
    case codes::kHandheldExport:
      if (services_.sendToHandheld) services_.sendToHandheld(list_, event.text);
      break;
    case codes::kPrint:
      if (services_.printing)
        services_.printing->openSetup(
            print::documentJob(print::PrintKind::ShoppingList, shoppingListDocument(list_)));
      break;
    case L_HELP:
      HelpSystem::showContext(helpContext());
      break;
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

}  // namespace savora::planning
