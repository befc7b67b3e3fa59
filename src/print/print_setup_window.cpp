#include "print/print_setup_window.h"

#include <QFont>
#include <QLabel>
#include <cstdlib>

#include "codes/program_codes.h"
#include "platform/text.h"
#include "print/print_dialog_window.h"
#include "print/text_file.h"
#include "toolkit/event_codes.h"
#include "toolkit/font_mapping.h"
#include "toolkit/help_window.h"
#include "toolkit/window_manager.h"

namespace savora::print {

using namespace savora::toolkit;
using namespace savora::codes::print_setup_window;

namespace {

constexpr const char* kPaperNames[4] = {"FORMATTED_CARDS", "FOUR_BY_SIX_CARDS", "STANDARD_SHEET",
                                        "CUSTOM_PAPER"};
constexpr const char* kCardNames[3] = {"CARD_1", "CARD_2", "CARD_3"};
constexpr const char* kMarginNames[6] = {"LEFT", "RIGHT", "TOP", "BOTTOM", "WIDTH", "HEIGHT"};

double* marginField(Margins& m, int i) {
  double* fields[6] = {&m.left, &m.right, &m.top, &m.bottom, &m.paperWidth, &m.paperHeight};
  return fields[i];
}

}  // namespace

const WindowSpec kPrintSetupSpec{"PRINT_SETUP",
                                 {{"DISK", 0, ObjectKind::Button},
                                  {"LEFT", 0, ObjectKind::String},
                                  {"RIGHT", 0, ObjectKind::String},
                                  {"TOP", 0, ObjectKind::String},
                                  {"BOTTOM", 0, ObjectKind::String},
                                  {"WIDTH", 0, ObjectKind::String},
                                  {"HEIGHT", 0, ObjectKind::String},
                                  {"WIDTH_PROMPT", 0, ObjectKind::Prompt},
                                  {"HEIGHT_PROMPT", 0, ObjectKind::Prompt},
                                  {"REDUCE_SPACE", 0, ObjectKind::Button},
                                  {"TWO_COLUMNS", 0, ObjectKind::Button},
                                  {"TWO_ON_A_PAGE", 0, ObjectKind::Button},
                                  {"PRINT_NUTRITION", 0, ObjectKind::Button},
                                  {"FORMATTED_CARDS", 0, ObjectKind::Button},
                                  {"FOUR_BY_SIX_CARDS", 0, ObjectKind::Button},
                                  {"STANDARD_SHEET", 0, ObjectKind::Button},
                                  {"CUSTOM_PAPER", 0, ObjectKind::Button},
                                  {"CARD_POSITION"},
                                  {"CARD_STYLE"},
                                  {"CARD_1", 0, ObjectKind::Button},
                                  {"CARD_2", 0, ObjectKind::Button},
                                  {"CARD_3", 0, ObjectKind::Button},
                                  {"BACKGROUND", 0, ObjectKind::Button},
                                  {"CORNER", 0, ObjectKind::Button},
                                  {"TITLE_FONT", 0, ObjectKind::Button},
                                  {"BODY_FONT", 0, ObjectKind::Button},
                                  {"SAMPLE", 0, ObjectKind::Prompt},
                                  {"OK_BUTTON", 0, ObjectKind::Button},
                                  {"CANCEL_BUTTON", 0, ObjectKind::Button},
                                  {"HELP_BUTTON", 0, ObjectKind::Button}}};

PrintSetupWindow::PrintSetupWindow(PrintJob job, PrintSettings kept,
                                   std::function<void(const PrintSettings&)> keep, User& user,
                                   PrintOutput output)
    : UIW_WINDOW(kPrintSetupSpec.resource),
      job_(std::move(job)),
      kept_(kept),
      keep_(std::move(keep)),
      working_(kept),
      user_(user),
      output_(std::move(output)) {
  if (!output_) {
    output_ = [pdfName = suggestedFileName(printName(), ".pdf", "Savora")](
                  User& u, const PrintSettings& s, const std::function<bool(Canvas&)>& draw) {
      return printWithDialog(u, s, draw, pdfName);
    };
  }
  resolve(kPrintSetupSpec);
  for (int i = 0; i < 4; ++i) paper_[i] = Get<UIW_BUTTON>(kPaperNames[i]);
  for (int i = 0; i < 3; ++i) cards_[i] = Get<UIW_BUTTON>(kCardNames[i]);
  for (int i = 0; i < 6; ++i) margins_[i] = Get<UIW_STRING>(kMarginNames[i]);
  background_ = Get<UIW_BUTTON>("BACKGROUND");
  corner_ = Get<UIW_BUTTON>("CORNER");
  reduceSpace_ = Get<UIW_BUTTON>("REDUCE_SPACE");
  twoColumns_ = Get<UIW_BUTTON>("TWO_COLUMNS");
  twoOnAPage_ = Get<UIW_BUTTON>("TWO_ON_A_PAGE");
  printNutrition_ = Get<UIW_BUTTON>("PRINT_NUTRITION");
  disk_ = Get<UIW_BUTTON>("DISK");

  fitModeToKind(working_, job_.kind);
  paper_[int(working_.paperMode)]->setChecked(true);
  if (working_.onCards()) cards_[working_.cardPosition - 1]->setChecked(true);
  (working_.cardStyle == CardStyle::Corner ? corner_ : background_)->setChecked(true);
  reduceSpace_->setChecked(working_.reduceSpace);
  twoColumns_->setChecked(working_.twoColumns);
  twoOnAPage_->setChecked(working_.twoOnAPage);
  printNutrition_->setChecked(working_.printNutrition);
  showMargins();
  showSample();
  offer();
  closeOnEscape();
}

void PrintSetupWindow::keepSwitches() {
  pullSwitches();
  kept_.reduceSpace = working_.reduceSpace;
  kept_.twoColumns = working_.twoColumns;
  kept_.twoOnAPage = working_.twoOnAPage;
  kept_.printNutrition = working_.printNutrition;
  kept_.cardStyle = working_.cardStyle;
  if (keep_) keep_(kept_);
}

int PrintSetupWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kPaperMode:
      paperModeChosen();
      break;
    case kCardPosition:
      cardPositionChosen();
      break;
    case kCardStyle:
      working_.cardStyle = corner_->isChecked() ? CardStyle::Corner : CardStyle::Background;
      break;
    case kTitleFont:
      chooseFont(working_.titleFont);
      break;
    case kBodyFont:
      chooseFont(working_.bodyFont);
      break;
    case kOk:
      ok();
      break;
    case L_HELP:
      HelpSystem::showContext(helpContext());
      break;
    case S_CLOSE:
      // The switches and the card style are kept however the window closes.
      keepSwitches();
      return UIW_WINDOW::Event(event);
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void PrintSetupWindow::showMargins() {
  for (int i = 0; i < 6; ++i)
    margins_[i]->setText(platform::formatText("%.2f", *marginField(working_.margins, i)));
}

void PrintSetupWindow::showSample() {
  auto* sample = static_cast<QLabel*>(Get("SAMPLE")->widget());
  QFont font = qFontOf(working_.bodyFont);
  font.setPointSize(11);
  sample->setFont(font);
  sample->setText(
      QString::fromStdString(working_.titleFont.faceName + " / " + working_.bodyFont.faceName));
}

void PrintSetupWindow::offer() {
  const Offered o = offeredFor(job_.kind, working_.paperMode);
  paper_[0]->setSelectable(o.cardModes);
  paper_[1]->setSelectable(o.cardModes);
  for (int i = 0; i < 3; ++i) cards_[i]->setSelectable(i < 2 ? o.cardPositions : o.thirdCard);
  Get("CARD_POSITION")->setSelectable(o.cardPositions);
  Get("CARD_STYLE")->setSelectable(o.cardStyles);
  background_->setSelectable(o.cardStyles);
  corner_->setSelectable(o.cardStyles);
  twoColumns_->setSelectable(o.twoColumns);
  reduceSpace_->setSelectable(o.reduceSpace);
  twoOnAPage_->setSelectable(o.twoOnAPage);
  printNutrition_->setSelectable(o.printNutrition);
  for (const char* name : {"WIDTH", "HEIGHT", "WIDTH_PROMPT", "HEIGHT_PROMPT"})
    Get(name)->widget()->setVisible(o.paperSize);
}

void PrintSetupWindow::paperModeChosen() {
  for (int i = 0; i < 4; ++i) {
    if (!paper_[i]->isChecked()) continue;
    // Custom paper starts from what the fields show.
    if (PaperMode(i) == PaperMode::CustomPaper) pullMargins();
    choosePaperMode(working_, PaperMode(i));
  }
  if (working_.onCards()) cards_[0]->setChecked(true);
  showMargins();
  offer();
}

void PrintSetupWindow::cardPositionChosen() {
  for (int i = 0; i < 3; ++i) {
    if (cards_[i]->isChecked()) chooseCardPosition(working_, i + 1);
  }
  showMargins();
}

void PrintSetupWindow::chooseFont(LogFont& font) {
  if (const auto chosen = user_.chooseFont(font)) {
    font = *chosen;
    kept_.titleFont = working_.titleFont;
    kept_.bodyFont = working_.bodyFont;
    if (keep_) keep_(kept_);
    showSample();
  }
}

void PrintSetupWindow::pullSwitches() {
  working_.reduceSpace = reduceSpace_->isChecked();
  working_.twoColumns = twoColumns_->isChecked();
  working_.twoOnAPage = twoOnAPage_->isChecked();
  working_.printNutrition = printNutrition_->isChecked();
  working_.cardStyle = corner_->isChecked() ? CardStyle::Corner : CardStyle::Background;
}

bool PrintSetupWindow::pullMargins() {
  for (int i = 0; i < 6; ++i) {
    const std::string text = platform::trim(margins_[i]->text());
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    *marginField(working_.margins, i) = end == text.c_str() ? 0 : value;
  }
  return true;
}

void PrintSetupWindow::ok() {
  pullSwitches();
  pullMargins();
  if (disk_->isChecked()) {
    if (!writeText()) return;
    keepSwitches();
    UI_WINDOW_MANAGER::instance().subtract(this);
    return;
  }
  if (const std::string error = marginError(working_.margins); !error.empty()) {
    user_.message("Error!", "EXCLAMATION", Buttons::Ok, error);
    return;
  }
  kept_.margins = working_.margins;
  kept_.paperMode = working_.paperMode;
  kept_.cardPosition = working_.cardPosition;
  // The window goes before the print dialog opens; what the print needs is copied first.
  const PrintSettings settings = working_;
  const PrintJob job = job_;
  const PrintOutput output = output_;
  User& user = user_;
  keepSwitches();
  UI_WINDOW_MANAGER::instance().subtract(this);
  output(user, settings, [&](Canvas& canvas) { return drawJob(canvas, settings, job); });
}

bool PrintSetupWindow::writeText() {
  const auto path =
      user_.saveFileName("Save As...", "Text (*.txt)",
                         suggestedFileName(printName(), ".txt", "Savora"), Overwrite::CallerAsks);
  if (!path) return false;
  return writeTextFile(user_, *path, jobText(job_, working_));
}

std::string PrintSetupWindow::printName() const {
  if (!job_.name.empty()) return job_.name;
  switch (job_.kind) {
    case PrintKind::Recipe:
      return "Recipe";
    case PrintKind::RecipeList:
      return "Recipes";
    case PrintKind::Menu:
      return "Menu";
    case PrintKind::YearMenu:
      return "Plan";
    case PrintKind::ShoppingList:
      return "Shopping List";
    case PrintKind::TextPage:
      break;
  }
  return "Savora";
}

void SetupPrintService::openSetup(PrintJob job) {
  UI_WINDOW_MANAGER::instance().add(
      std::make_unique<PrintSetupWindow>(std::move(job), keptSettings(), keep_, user_));
}

}  // namespace savora::print
