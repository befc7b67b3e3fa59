#include "recipe/recipe_window.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>

#include "bookshelf/book_shelf_window.h"
#include "codes/program_codes.h"
#include "food/ingredient_text.h"
#include "food/ingredient_table.h"
#include "food/quantity.h"
#include "food/unit_names.h"
#include "food/unit_table.h"
#include "platform/text.h"
#include "recipe/recipe_line_text.h"
#include "recipe/serving_scale.h"
#include "recipe/serving_size_window.h"
#include "store/recipe_table.h"
#include "toolkit/event_codes.h"
#include "toolkit/event_manager.h"
#include "toolkit/focused_edit.h"
#include "toolkit/qt_media_player.h"
#include "toolkit/qt_text.h"
#include "toolkit/storable_text.h"
#include "toolkit/window_manager.h"

namespace savora::recipe {

using namespace savora::toolkit;
using platform::formatText;

namespace {

using namespace savora::codes;
using namespace savora::codes::recipe_window;

// Room for a whole ingredient line typed or pasted into the quantity field.
constexpr int kTypedLineLength = 4000;

// The picture tab's objects; every tab has its "Play Video" button while the recipe has a video.
media::MediaTabObjects pictureTabObjects() {
  media::MediaTabObjects objects;
  objects.playSoundEvent = kPlaySound;
  objects.playVideoEvent = kPlayVideo;
  objects.videoObjects = {"PLAY_VIDEO_VIEW", "PLAY_VIDEO_EDIT", "PLAY_VIDEO_PICTURE"};
  objects.missingPhoto = "MISSING_PHOTO_MSG";
  objects.zoomButton = "ZOOM_BUTTON";
  objects.pictureScroll = "PICTURE_SCROLL";
  return objects;
}

// The edit menu's commands, in menu order.
struct EditCommand {
  const char* text;
  const char* shortcut;
  int event;
};
constexpr EditCommand kEditCommands[] = {
    {"Cu&t", "Ctrl+X", kCut},
    {"&Copy", "Ctrl+C", kCopy},
    {"&Paste", "Ctrl+V", kPaste},
    {"Cl&ear", "Del", kClear},
    {"Select &All", "Ctrl+A", kSelectAll},
    {"&Undo", "Ctrl+Z", kUndo},
};

FieldEdit fieldEdit(int command) {
  switch (command) {
    case kCut:
      return FieldEdit::Cut;
    case kCopy:
      return FieldEdit::Copy;
    case kPaste:
      return FieldEdit::Paste;
    case kClear:
      return FieldEdit::Clear;
    case kSelectAll:
      return FieldEdit::SelectAll;
    default:
      return FieldEdit::Undo;
  }
}

// A memo's lines as a text field holds them: "\r\n", and a "\r" or "\n" alone, each end one
// line.
std::string forField(const std::string& text) {
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') {
      shown += text[i];
    } else {
      shown += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    }
  }
  return shown;
}

// A field's text as a memo keeps it, with "\r\n" line ends.
std::string withStoredLineEnds(const std::string& fieldText) {
  std::string text;
  for (char c : forField(fieldText)) {
    if (c == '\n') text += '\r';
    text += c;
  }
  return text;
}

}  // namespace

const WindowSpec kRecipeWindowSpec{"RECIPE_WINDOW",
                                   {{"TABS", 0, ObjectKind::Notebook},
                                    {"VIEW_TAB"},
                                    {"EDIT_TAB"},
                                    {"PICTURE_TAB"},
                                    {"RECIPE_NAME", 0, ObjectKind::Prompt},
                                    {"TEXT_VIEW", 0, ObjectKind::Text},
                                    {"NAME", 0, ObjectKind::String},
                                    {"DESCRIPTION", 0, ObjectKind::Text},
                                    {"IN_LIST", 0, ObjectKind::List},
                                    {"INSTRUCTIONS", 0, ObjectKind::Text},
                                    {"SERVINGS", 0, ObjectKind::Prompt},
                                    {"BUTTON_OK", 0, ObjectKind::Button},
                                    {"QUANTITY", 0, ObjectKind::String},
                                    {"UNIT", 0, ObjectKind::Combo},
                                    {"INGREDIENT", 0, ObjectKind::Combo},
                                    {"IN_INFO", 0, ObjectKind::String},
                                    {"IN_TYPE", 0, ObjectKind::String},
                                    {"INGREDIENT_INFO1_PROMPT", 0, ObjectKind::Prompt},
                                    {"INGREDIENT_PROMPT", 0, ObjectKind::Prompt},
                                    {"ZOOM_BUTTON", 0, ObjectKind::Button},
                                    {"MISSING_PHOTO_MSG", 0, ObjectKind::Prompt},
                                    {"PICTURE", 0, ObjectKind::Picture},
                                    {"PICTURE_SCROLL"},
                                    {"EDIT_BUTTON", 0, ObjectKind::Button},
                                    {"PRINT_BUTTON", 0, ObjectKind::Button},
                                    {"LIST_BUTTON", 0, ObjectKind::Button},
                                    {"MAIL_BUTTON", 0, ObjectKind::Button},
                                    {"PALM_BUTTON", 0, ObjectKind::Button},
                                    {"PREVIOUS_RECIPE", 0, ObjectKind::Button},
                                    {"NEXT_RECIPE", 0, ObjectKind::Button},
                                    {"SERVINGS_BUTTON", 0, ObjectKind::Button},
                                    {"INSERT_LINE", 0, ObjectKind::Button},
                                    {"DELETE_LINE", 0, ObjectKind::Button},
                                    {"MOVE_UP", 0, ObjectKind::Button},
                                    {"MOVE_DOWN", 0, ObjectKind::Button},
                                    {"ADD_RECIPE", 0, ObjectKind::Button},
                                    {"SPECIFY_BRAND", 0, ObjectKind::Button},
                                    {"USDA_NUTRIENTS", 0, ObjectKind::Button},
                                    {"NEXT_LINE", 0, ObjectKind::Button},
                                    {"PHOTO_NAME", 0, ObjectKind::Prompt},
                                    {"SOUND_NAME", 0, ObjectKind::Prompt},
                                    {"VIDEO_NAME", 0, ObjectKind::Prompt},
                                    {"ADD_PHOTO", 0, ObjectKind::Button},
                                    {"ADD_SOUND", 0, ObjectKind::Button},
                                    {"ADD_VIDEO", 0, ObjectKind::Button},
                                    {"REMOVE_PHOTO", 0, ObjectKind::Button},
                                    {"REMOVE_SOUND", 0, ObjectKind::Button},
                                    {"REMOVE_VIDEO", 0, ObjectKind::Button},
                                    {"PLAY_SOUND", 0, ObjectKind::Button},
                                    {"PLAY_VIDEO_VIEW", 0, ObjectKind::Button},
                                    {"PLAY_VIDEO_EDIT", 0, ObjectKind::Button},
                                    {"PLAY_VIDEO_PICTURE", 0, ObjectKind::Button},
                                    {"CLOSE_BUTTON", 0, ObjectKind::Button}}};

RecipeWindow::RecipeWindow(RecipeWindowServices services, long chapter, long uid,
                           std::unique_ptr<MediaPlayer> player)
    : UIW_WINDOW(kRecipeWindowSpec.resource),
      services_(std::move(services)),
      user_(services_.user),
      edit_(services_.tables, services_.user),
      mediaTab_(*this, pictureTabObjects(), edit_.recipe().media, services_.user, services_.media,
                player ? std::move(player) : std::make_unique<QtMediaPlayer>(),
                {nullptr, [this](const std::string& file) {
                   if (services_.playVideo) services_.playVideo(file);
                 }}) {
  resolve(kRecipeWindowSpec);
  name_ = Get<UIW_STRING>("NAME");
  name_->setMaxLength(int(store::kRecipeNameLength));
  description_ = Get<UIW_TEXT>("DESCRIPTION");
  instructions_ = Get<UIW_TEXT>("INSTRUCTIONS");
  lines_ = Get<UIW_VT_LIST>("IN_LIST");
  quantity_ = Get<UIW_STRING>("QUANTITY");
  // A whole line may be typed or pasted here; the commit cuts it into the line's fields.
  quantity_->setMaxLength(kTypedLineLength);
  unit_ = Get<UIW_COMBO_BOX>("UNIT");
  ingredient_ = Get<UIW_COMBO_BOX>("INGREDIENT");
  info1_ = Get<UIW_STRING>("IN_INFO");
  info2_ = Get<UIW_STRING>("IN_TYPE");
  setNumberID(services_.catalog ? kKindCatalogRecipe : kKindRecipe);
  Get("PRINT_BUTTON")->setSelectable(bool(services_.print));
  Get("LIST_BUTTON")->setSelectable(bool(services_.list));
  Get("PALM_BUTTON")->setSelectable(bool(services_.sendToHandheld));
  if (!services_.usdaNutrients) Get("USDA_NUTRIENTS")->hide();
  Get("MAIL_BUTTON")->setSelectable(bool(services_.mail));

  // Lines pasted into the quantity field go onto the recipe's lines at once.
  auto* quantityEdit = static_cast<QLineEdit*>(quantity_->widget());
  QObject::connect(quantityEdit, &QLineEdit::textEdited, quantityEdit,
                   [this, quantityEdit](const QString& text) {
                     // Fractions such as "⅓" have no place in the tables' code page: typed out.
                     const QString typed = QString::fromStdString(
                         food::withFractionsTypedOut(text.toStdString()));
                     if (typed != text) quantityEdit->setText(typed);
                     if (typed.contains(QLatin1Char('\n')) || typed.contains(QLatin1Char('\r')))
                       pasteLines(quantityEdit, typed);
                   });
  // Enter in the combo boxes goes on to the next line, as in the other fields of the line.
  for (UIW_COMBO_BOX* combo : {unit_, ingredient_}) {
    if (QLineEdit* line = static_cast<QComboBox*>(combo->widget())->lineEdit()) {
      QObject::connect(line, &QLineEdit::returnPressed, line,
                       [this] { post(UI_EVENT(kNextLine)); });
    }
  }
  auto* editButton = static_cast<QToolButton*>(Get("EDIT_BUTTON")->widget());
  auto* menu = new QMenu(editButton);
  for (const EditCommand& command : kEditCommands) {
    QAction* action = menu->addAction(toQt(command.text));
    action->setShortcut(QKeySequence(toQt(command.shortcut)));
    action->setShortcutContext(Qt::WidgetShortcut);  // the fields keep their own keys
    const int code = command.event;
    QObject::connect(action, &QAction::triggered, menu, [this, code] { post(UI_EVENT(code)); });
  }
  editButton->setMenu(menu);

  fillUnitChoices();
  fillIngredientChoices();
  if (!load(uid, chapter)) {
    // Gone meanwhile (deleted elsewhere): a new recipe of its chapter, when that is known.
    if (chapter > 0) {
      edit_.open(0, chapter);
      showRecipe();
    } else {
      post(UI_EVENT(S_CLOSE));
    }
  }
  Get<UIW_NOTEBOOK>("TABS")->setCurrentPage(uid == 0 ? 1 : 0);  // a new recipe is written first
  if (uid == 0) name_->setFocus();
}

// ---------------------------------------------------------------------------------------------
// Loading and showing

bool RecipeWindow::load(long uid, long chapter) {
  mediaTab_.stop();  // the last recipe's sound stops
  if (!edit_.open(uid, chapter)) {
    user_.message("Wait!", "HAND", Buttons::Ok, "That recipe could not be found.");
    return false;
  }
  showRecipe();
  mediaTab_.play(Media::Sound);  // a recipe's sound is heard once when it opens
  return true;
}

void RecipeWindow::showRecipe() {
  const store::Recipe& recipe = edit_.recipe();
  setTitle(recipe.name.empty() ? std::string("New Recipe") : recipe.name);
  name_->setText(recipe.name);
  description_->setText(forField(recipe.description));
  instructions_->setText(forField(recipe.instructions));
  showServings();
  showLines();
  pushEditor();
  showText();
  mediaTab_.show();
}

void RecipeWindow::showServings() {
  Get("SERVINGS")->setText(servingsLabel(edit_.recipe().servings));
}

void RecipeWindow::showLines() {
  // Rows are rewritten in place, so the list keeps its scroll position.
  const bool inPlace = lines_->count() == store::kRecipeLines;
  if (!inPlace) lines_->clear();
  for (int i = 0; i < store::kRecipeLines; ++i) {
    const ListEntry row{edit_.lineText(i, false, kLineTextWidth), i};
    if (inPlace) {
      lines_->setEntry(i, row);
    } else {
      lines_->add(row);
    }
  }
  lines_->setCurrent(edit_.currentLine());
}

void RecipeWindow::showText() {
  Get("RECIPE_NAME")->setText(edit_.recipe().name);
  Get("TEXT_VIEW")->setText(forField(edit_.textForm()));
}

void RecipeWindow::fillUnitChoices() {
  unit_->clear();
  unit_->add({"", 0});
  food::UnitTable& units = services_.tables.units;
  for (auto name = units.firstName(false, services_.tables.unitSettings); name;
       name = units.nextName()) {
    unit_->add({*name, units.number("UID")});
  }
}

void RecipeWindow::fillIngredientChoices() {
  ingredient_->clear();
  food::IngredientTable& ingredients = services_.tables.ingredients;
  for (auto name = ingredients.firstByName(); name; name = ingredients.nextName())
    ingredient_->add({*name, ingredients.number("UID")});
}

// Units and ingredients the user just added to the lists join the choices.
void RecipeWindow::listNewNames() {
  for (const store::RecipeLine& line : edit_.recipe().lines) {
    if (line.unit != 0 && unit_->findId(line.unit) < 0) {
      unit_->add({food::unitNameForPlural(services_.tables.units, false, line.unit,
                                          services_.tables.unitSettings),
                  line.unit});
    }
    const IngredientTarget target = decodeIngredientCode(line.ingredient);
    if (target.kind == IngredientTarget::Kind::Ingredient && ingredient_->findId(target.uid) < 0)
      ingredient_->add(
          {services_.tables.ingredients.nameForPluralFlag(target.uid, false), target.uid});
  }
}

void RecipeWindow::pushEditor() {
  const LineEditor& editor = edit_.editor();
  quantity_->setText(editor.quantity);
  unit_->setText(editor.unitText);
  ingredient_->setText(editor.ingredientText);
  info1_->setText(editor.info1);
  info2_->setText(editor.info2);
  lines_->setCurrent(edit_.currentLine());
  shownEditor_ = editor;
  shownUnit_ = edit_.recipe().lines[size_t(edit_.currentLine())].unit;
}

void RecipeWindow::pullEditor() {
  LineEditor& editor = edit_.editor();
  editor.quantity = quantity_->text();
  editor.unitText = unit_->text();
  editor.ingredientText = ingredient_->text();
  editor.info1 = info1_->text();
  editor.info2 = info2_->text();
}

void RecipeWindow::pullFields() {
  store::Recipe& recipe = edit_.recipe();
  recipe.name = name_->text();
  // A field gives its text back with its own line ends: only a changed text is taken.
  const std::string description = description_->text();
  if (description != forField(recipe.description))
    recipe.description = withStoredLineEnds(description);
  const std::string instructions = instructions_->text();
  if (instructions != forField(recipe.instructions))
    recipe.instructions = withStoredLineEnds(instructions);
}

bool RecipeWindow::hasUnsavedChanges() const {
  // Taking the fields in changes nothing the user sees; the exit check asks through a const view.
  auto* self = const_cast<RecipeWindow*>(this);
  self->pullFields();
  self->pullEditor();
  // The line editor as typed (not committed yet) counts, its selections included.
  return !(edit_.editor() == shownEditor_) || (edit_.hasContent() && edit_.isModified());
}

// ---------------------------------------------------------------------------------------------
// Events

int RecipeWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kPrint:
      if (services_.print) {
        commit();
        pullFields();
        services_.print(edit_.recipe());
      }
      break;
    case kHandheldDownload:  // the main window asks which handheld user, then sends the export
      UI_EVENT_MANAGER::instance().post(nullptr, UI_EVENT(kHandheldDownload));
      break;
    case kHandheldExport:
      if (services_.sendToHandheld) {
        commit();
        pullFields();
        services_.sendToHandheld(edit_.recipe(), event.text, event.values[0] != 0);
      }
      break;
    case kList:
      if (services_.list) {
        commit();
        pullFields();
        services_.list(*this);
      }
      break;
    case kSendMail:
      if (services_.mail) {
        commit();
        pullFields();
        // The message carries the recipe as stored: what is only on screen would not go out.
        if (edit_.recipe().uid == 0 || hasUnsavedChanges()) {
          user_.message("Wait!", "ASTERISK", Buttons::Ok,
                        "You must save this recipe before you can send it.");
        } else {
          services_.mail(edit_.recipe());
        }
      }
      break;
    case kSelectLine:
      selectLine(int(event.values[0]));
      break;
    case kNextLine:
      lineAction([this] { edit_.nextLine(); });
      break;
    case kPasteLines:
      lineAction([this, &event] { edit_.pasteLines(event.text); });
      break;
    case kNameEntered:
      quantity_->setFocus();  // on to the ingredients, starting with the current line
      quantity_->selectAll();
      break;
    case kInsertLine:
      lineAction([this] { edit_.insertLine(); });
      break;
    case kDeleteLine:
      lineAction([this] { edit_.deleteLine(); });
      break;
    case kMoveUp:
      lineAction([this] { edit_.moveLineUp(); });
      break;
    case kMoveDown:
      lineAction([this] { edit_.moveLineDown(); });
      break;
    case kUnitPicked:
      unitPicked(event.values[1]);
      break;
    case kAddRecipe:
      chooseRecipeAsIngredient();
      break;
    case kShowRecipe:
      // The next recipe the bookshelf hands over while the window waits is the ingredient; a
      // new recipe asked for meanwhile ends the wait and opens as usual.
      if (choosingRecipe_) {
        choosingRecipe_ = false;
        if (event.values[1] > 0) {
          recipeChosen(event.values[1]);
          skipNextLoad_ = true;
        }
      }
      break;
    case kLoadRecipe:
      if (skipNextLoad_) {
        skipNextLoad_ = false;
      } else {
        loadFromBookshelf(event.values[0], event.values[1]);
      }
      break;
    case kSpecifyBrand:
      specifyBrand();
      break;
    case kBrandChosen:
      // Brands deleted in the ingredient window leave lines that fall back to the ingredient.
      edit_.ingredientsChanged(brandFor_.ingredient, brandFor_.ingredient);
      if (event.values[0] != 0) edit_.editor().selectedBrand = event.values[0];
      showLines();
      break;
    case kIngredientsChanged:
      ingredientsChanged(event.values[0], event.values[1]);
      break;
    case kServings:
      servings();
      break;
    case kUsdaNutrients:
      usdaNutrients();
      break;
    case kPreviousRecipe:
      moveOnBookshelf(Direction::Previous);
      break;
    case kNextRecipe:
      moveOnBookshelf(Direction::Next);
      break;
    case kSave:
      save();
      break;
    case kSaveRequest:
      saveRequested();
      break;
    case S_CLOSE:
      if (leaveRecipe()) close();
      break;
    case kZoom:
      mediaTab_.show();
      break;
    case kCut:
    case kCopy:
    case kPaste:
    case kClear:
    case kSelectAll:
    case kUndo:
      editFocusedField(widget(), fieldEdit(event.type));
      break;
    default:
      if (!mediaTab_.handle(event.type)) return UIW_WINDOW::Event(event);
      break;
  }
  return event.type;
}

// ---------------------------------------------------------------------------------------------
// The line editor

void RecipeWindow::commit() {
  pullFields();
  pullEditor();
  edit_.commitLine();
  listNewNames();
}

void RecipeWindow::changeLines(const std::function<void()>& action) {
  pullFields();
  pullEditor();
  action();
  listNewNames();
  showLines();
  pushEditor();
  showText();
}

void RecipeWindow::lineAction(const std::function<void()>& action) {
  changeLines(action);
  if (!quantity_->hasFocus()) quantity_->setFocus();
  // Typing on a line in use replaces its quantity in plain sight rather than joining it.
  quantity_->selectAll();
}

// Lines pasted into the quantity field: the field gets back what it held, and the lines go onto
// the recipe's lines.
void RecipeWindow::pasteLines(QLineEdit* field, const QString& withPaste) {
  field->undo();  // the paste was one step
  const QString before = field->text();
  qsizetype head = 0;
  while (head < before.size() && head < withPaste.size() && before[head] == withPaste[head]) ++head;
  qsizetype tail = 0;
  while (tail < before.size() - head && tail < withPaste.size() - head &&
         before[before.size() - 1 - tail] == withPaste[withPaste.size() - 1 - tail])
    ++tail;
  UI_EVENT event(kPasteLines);
  event.text = fromQt(withPaste.mid(head, withPaste.size() - head - tail));
  post(std::move(event));
}

void RecipeWindow::selectLine(int row) {
  if (row < 0 || row == edit_.currentLine()) return;
  long referred = 0;
  changeLines([this, row, &referred] { referred = edit_.selectLine(row); });
  if (referred != 0 && services_.openRecipe) services_.openRecipe(referred);
}

void RecipeWindow::unitPicked(long unit) {
  pullEditor();
  const long before = shownUnit_;
  if (edit_.changeUnit(before, unit)) quantity_->setText(edit_.editor().quantity);
  shownUnit_ = unit;
  // A unit named for a larger amount offers its plural form among the choices.
  const std::string unitText = platform::trim(unit_->text());
  const double amount = food::parseQuantity(quantity_->text());
  if (!unitText.empty() && amount > 1 && !services_.tables.unitSettings.abbreviatedUnits &&
      !platform::endsWithIgnoreCase(unitText, "s")) {
    const std::string plural = food::pluralize(unitText);
    if (unit_->findText(plural) < 0) unit_->add({plural, unit});
  }
}

void RecipeWindow::chooseRecipeAsIngredient() {
  user_.message("Choose Recipe", "ASTERISK", Buttons::Ok, "Choose a recipe from the Bookshelf");
  choosingRecipe_ = true;
  if (services_.showBookshelf) services_.showBookshelf();
}

void RecipeWindow::recipeChosen(long uid) {
  UI_WINDOW_MANAGER::instance().bringToFront(this);
  lineAction([this, uid] { edit_.addRecipeReference(uid); });
}

void RecipeWindow::specifyBrand() {
  pullEditor();
  const long ingredient = edit_.ingredientForBrand();
  if (ingredient == 0 || !services_.specifyBrand) return;
  // The answers come as events: this window may be gone by the time the user says OK.
  QPointer<QWidget> alive = widget();
  brandFor_ = {ingredient, ingredient_->text()};
  services_.specifyBrand(
      ingredient,
      [this, alive](long brand) {
        if (alive) post(UI_EVENT(kBrandChosen, brand));
      },
      [this, alive, ingredient](long now) {
        if (alive) post(UI_EVENT(kIngredientsChanged, ingredient, now));
      });
}

// The ingredient window renamed the ingredient, merged it into another or deleted brands.
void RecipeWindow::ingredientsChanged(long opened, long now) {
  pullEditor();
  edit_.ingredientsChanged(opened, now);
  const std::string typed = ingredient_->text();
  fillIngredientChoices();
  ingredient_->setText(typed);  // refilling chose the first name
  // The line editor names the ingredient as the lists now do.
  if (brandFor_.ingredient == opened && typed == brandFor_.text) {
    const std::string name = services_.tables.ingredients.nameForQuantity(now, quantity_->text());
    ingredient_->setText(name);
    edit_.editor().ingredientText = name;
    shownEditor_.ingredientText = name;
  }
  brandFor_ = {now, ingredient_->text()};
  showLines();
  showText();
}

void RecipeWindow::usdaNutrients() {
  if (!services_.usdaNutrients) return;
  commit();
  pullFields();
  QPointer<QWidget> alive = widget();
  services_.usdaNutrients(edit_.recipe(), [this, alive] {
    if (alive) showText();
  });
}

void RecipeWindow::servings() {
  commit();
  pushEditor();
  store::Recipe& recipe = edit_.recipe();
  const long before = recipe.servings;
  // The quantities are scaled only for a recipe that was saved under a name.
  const bool adjust = recipe.uid != 0;
  ServingSizeWindow::Callbacks callbacks;
  callbacks.scaleQuantities = [this, before] {
    store::Recipe& recipe = edit_.recipe();
    food::ConversionList units = services_.tables.units.conversionList();
    scaleQuantities(recipe, units, before, recipe.servings, user_);
    showLines();
    edit_.loadLine(edit_.currentLine());
    pushEditor();
  };
  callbacks.servingsSet = [this](long) {
    showServings();
    showText();
  };
  UI_WINDOW_MANAGER::instance().add(
      std::make_unique<ServingSizeWindow>(recipe.servings, adjust, user_, std::move(callbacks)));
}

// ---------------------------------------------------------------------------------------------
// Saving, moving on the bookshelf and closing

bool RecipeWindow::save() {
  if (!fieldsStorable(*this, user_)) {
    exitSaveFailed(services_.exitState);
    return false;
  }
  commit();
  const SaveOutcome outcome = edit_.save(name_->text());
  pushEditor();
  showLines();
  if (outcome.result != SaveResult::Saved) {
    if (outcome.emptyName) {
      Get<UIW_NOTEBOOK>("TABS")->setCurrentPage(1);
      name_->setFocus();
    }
    if (outcome.noServings) servings();
    if (outcome.result == SaveResult::Failed) exitSaveFailed(services_.exitState);
    return false;
  }
  name_->setText(edit_.recipe().name);
  setTitle(edit_.recipe().name);
  showServings();  // the save may have set them ("save it as serving 1?")
  showText();
  if (bookshelf::BookShelfWindow* shelf = bookshelf()) {
    if (outcome.appended) {
      UI_EVENT added(kRecipeAdded, outcome.uid);
      added.text = edit_.recipe().name;
      shelf->post(added);
    } else {
      shelf->refreshRecipes();  // a new name shows in the recipe list at once
    }
  }
  return true;
}

void RecipeWindow::saveRequested() {
  if (!save()) {
    exitSaveFailed(services_.exitState);
    return;
  }
  close();
  exitSaveDone(services_.exitState);
}

bool RecipeWindow::leaveRecipe() {
  commit();
  pushEditor();
  if (!edit_.offerToSave()) {
    exitSaveFailed(services_.exitState);
    return false;
  }
  if (edit_.savedInWindow()) {
    if (bookshelf::BookShelfWindow* shelf = bookshelf()) shelf->refreshRecipes();
  }
  return true;
}

bookshelf::BookShelfWindow* RecipeWindow::bookshelf() const {
  const int kind = services_.catalog ? kKindCatalog : kKindBookshelf;
  return dynamic_cast<bookshelf::BookShelfWindow*>(UI_WINDOW_MANAGER::instance().findKind(kind));
}

void RecipeWindow::moveOnBookshelf(Direction direction) {
  bookshelf::BookShelfWindow* shelf = bookshelf();
  if (!leaveRecipe()) return;
  showLines();
  const std::vector<long> order = shelf ? shelf->listedRecipes() : std::vector<long>{};
  const std::optional<long> next = neighbourRecipe(order, edit_.recipe().uid, direction, user_);
  if (!next) return;
  if (load(*next, -1)) shelf->showRecipe(*next);
}

void RecipeWindow::loadFromBookshelf(long chapter, long uid) {
  if (uid == edit_.recipe().uid && uid != 0) return;  // already shown
  if (!leaveRecipe()) return;
  load(uid, chapter);
  Get<UIW_NOTEBOOK>("TABS")->setCurrentPage(uid == 0 ? 1 : 0);
}

void RecipeWindow::close() {
  mediaTab_.stop();
  UI_WINDOW_MANAGER::instance().subtract(this);
}

}  // namespace savora::recipe
