// PRINT_SETUP: the set-up of one print. The person chooses paper, card position and style,
// margins, switches and fonts; OK prints through the print dialog, or with DISK ticked writes
// the print's text form to a file. The switches and card style are kept on closing, the margins
// when a print is made.
#pragma once

#include <functional>
#include <string>

#include "print/print_job.h"
#include "print/print_service.h"
#include "print/print_settings.h"
#include "toolkit/canvas.h"
#include "toolkit/uiw_controls.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::print {

extern const toolkit::WindowSpec kPrintSetupSpec;

// Sends a drawing to real output; printWithDialog unless a test says otherwise.
using PrintOutput = std::function<bool(toolkit::User&, const PrintSettings&,
                                       const std::function<bool(toolkit::Canvas&)>&)>;

class PrintSetupWindow : public toolkit::UIW_WINDOW {
 public:
  // Starts from the program's print settings `kept`; `keep` receives them whenever the window
  // keeps a change.
  PrintSetupWindow(PrintJob job, PrintSettings kept, std::function<void(const PrintSettings&)> keep,
                   toolkit::User& user, PrintOutput output = {});
  int Event(const toolkit::UI_EVENT& event) override;

 private:
  void showMargins();
  void showSample();
  void offer();
  void paperModeChosen();
  void cardPositionChosen();
  void chooseFont(toolkit::LogFont& font);
  void pullSwitches();
  // Stores the switches and the card style in the kept settings.
  void keepSwitches();
  bool pullMargins();
  void ok();
  bool writeText();
  // The name the print's file is offered under, without its extension.
  std::string printName() const;

  PrintJob job_;
  PrintSettings kept_;
  std::function<void(const PrintSettings&)> keep_;
  PrintSettings working_;
  toolkit::User& user_;
  PrintOutput output_;
  toolkit::UIW_BUTTON* paper_[4];
  toolkit::UIW_BUTTON* cards_[3];
  toolkit::UIW_BUTTON* background_;
  toolkit::UIW_BUTTON* corner_;
  toolkit::UIW_STRING* margins_[6];  // LEFT, RIGHT, TOP, BOTTOM, WIDTH, HEIGHT
  toolkit::UIW_BUTTON* reduceSpace_;
  toolkit::UIW_BUTTON* twoColumns_;
  toolkit::UIW_BUTTON* twoOnAPage_;
  toolkit::UIW_BUTTON* printNutrition_;
  toolkit::UIW_BUTTON* disk_;
};

// The program's print service: PRINT_SETUP on the window manager, starting from the settings
// `kept` gives and handing every change it keeps to `keep`.
class SetupPrintService : public PrintService {
 public:
  SetupPrintService(toolkit::User& user, std::function<PrintSettings()> kept,
                    std::function<void(const PrintSettings&)> keep)
      : user_(user), kept_(std::move(kept)), keep_(std::move(keep)) {}
  PrintSettings keptSettings() const override { return kept_(); }
  void openSetup(PrintJob job) override;

 private:
  toolkit::User& user_;
  std::function<PrintSettings()> kept_;
  std::function<void(const PrintSettings&)> keep_;
};

}  // namespace savora::print
