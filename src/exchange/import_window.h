// IMPORT_WINDOW: shows the file being imported and a check list of the import's steps, and runs
// the import one step per event it posts itself, so the program stays responsive. While the
// matching dialog asks about units or ingredients the chain waits for it. Closing the window
// mid-import ends the import (and the dialog); its scratch files go with it.
#pragma once

#include <functional>
#include <memory>

#include "exchange/exchange_import.h"
#include "toolkit/uiw_window.h"
#include "toolkit/window_spec.h"

namespace savora::exchange {

extern const toolkit::WindowSpec kImportWindowSpec;

class ImportItemWindow;

class ImportWindow : public toolkit::UIW_WINDOW {
 public:
  // Called after a successful import with the book imported last and the first chapter.
  using Finished = std::function<void(long book, long chapter)>;

  ImportWindow(std::unique_ptr<ExchangeImport> import, Finished finished);
  ~ImportWindow() override;
  int Event(const toolkit::UI_EVENT& event) override;

 private:
  void runStep();
  // Shows the matching dialog; the next step is posted when it closes.
  void ask(ItemMatching& matching);
  // Ends the import here (its scratch files go) and closes a matching dialog still open.
  void endImport();

  std::unique_ptr<ExchangeImport> import_;
  Finished finished_;
  ImportStep step_ = ImportStep::Extract;
  ImportItemWindow* asking_ = nullptr;
};

}  // namespace savora::exchange
