// IMPORT_WINDOW: shows the file being imported and a check list of the import's steps, and runs
// the import one step per event it posts itself, so the program stays responsive. Closing the
// window mid-import ends the import; its scratch files go with it.
#pragma once

#include <functional>
#include <memory>

#include "exchange/exchange_import.h"
#include "toolkit/uiw_window.h"
#include "toolkit/window_spec.h"

namespace savora::exchange {

extern const toolkit::WindowSpec kImportWindowSpec;

class ImportWindow : public toolkit::UIW_WINDOW {
 public:
  // Called after a successful import with the book imported last and the first chapter.
  using Finished = std::function<void(long book, long chapter)>;

  ImportWindow(std::unique_ptr<ExchangeImport> import, Finished finished);
  int Event(const toolkit::UI_EVENT& event) override;

 private:
  void runStep();

  std::unique_ptr<ExchangeImport> import_;
  Finished finished_;
  ImportStep step_ = ImportStep::Extract;
};

}  // namespace savora::exchange
