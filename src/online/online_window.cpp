#include "online/online_window.h"

#include <QPlainTextEdit>
#include <QProgressBar>
#include <QScrollBar>
#include <system_error>

#include "codes/program_codes.h"
#include "online/update_download.h"
#include "online/update_news.h"
#include "online/update_reminder.h"
#include "platform/text.h"
#include "toolkit/event_codes.h"
#include "toolkit/help_window.h"
#include "toolkit/window_manager.h"

namespace savora::online {

using namespace savora::toolkit;

namespace {
using namespace savora::codes::online_window;
}

const WindowSpec kOnlineWindowSpec{"ONLINE_WINDOW",
                                   {{"NUMID_TITLE"},
                                    {"NEWS", 0, ObjectKind::Text},
                                    {"STATUS", 0, ObjectKind::Prompt},
                                    {"PROGRESS"},
                                    {"DOWNLOAD_BUTTON", 0, ObjectKind::Button},
                                    {"CANCEL_BUTTON", 0, ObjectKind::Button},
                                    {"SCROLL_UP", 0, ObjectKind::Button},
                                    {"SCROLL_DOWN", 0, ObjectKind::Button},
                                    {"HELP_BUTTON", 0, ObjectKind::Button}}};

OnlineWindow::OnlineWindow(OnlineWindowServices services)
    : UIW_WINDOW(kOnlineWindowSpec.resource), services_(std::move(services)) {
  resolve(kOnlineWindowSpec);
  news_ = Get<UIW_TEXT>("NEWS");
  status_ = Get<UIW_PROMPT>("STATUS");
  setTitle(platform::formatText("%s Update Service", services_.productName.c_str()));
  // The news of the last check, without its messages and without the version check.
  if (const auto news = readNews(services_.dataFolder / "news.txt"))
    showNews(withoutProofLines(*news));
}

OnlineWindow::~OnlineWindow() {
  stopTransfer();
}

int OnlineWindow::Event(const UI_EVENT& event) {
  switch (event.type) {
    case kDownload:
      download();
      break;
    case kNextStep:
      nextStep();
      break;
    case kCancel:
      cancel();
      break;
    case kScrollUp:
    case kScrollDown:
      scroll(event.type == kScrollDown);
      break;
    case L_HELP:
      HelpSystem::showContext(helpContext());
      break;
    case S_CLOSE:
      // Closing the window ends a running download.
      stopTransfer();
      return UIW_WINDOW::Event(event);
    default:
      return UIW_WINDOW::Event(event);
  }
  return event.type;
}

void OnlineWindow::download() {
  if (stage_ != Stage::Idle) return;
  std::error_code ignored;
  std::filesystem::remove(services_.dataFolder / "news.txt", ignored);
  transfer_ = std::make_unique<HttpDownload>(services_.user, services_.download);
  stage_ = Stage::News;
  Get("DOWNLOAD_BUTTON")->setSelectable(false);
  Get("PROGRESS")->show();
  showProgress(0);
  transfer_->start(services_.server, kNewsPath, services_.dataFolder);
  post(UI_EVENT(kNextStep));
}

void OnlineWindow::nextStep() {
  if (stage_ == Stage::Idle || !transfer_) return;
  if (transfer_->active()) {
    showProgress(transfer_->received());
    transfer_->step();
    post(UI_EVENT(kNextStep));
    return;
  }
  if (stage_ == Stage::News) {
    newsFetched();
  } else {
    updateFetched();
  }
}

void OnlineWindow::newsFetched() {
  transfer_.reset();
  stage_ = Stage::Idle;
  const NewsCheck check =
      checkNews(services_.user, services_.dataFolder / "news.txt", services_.programVersion,
                services_.productName, services_.updatePublicKey);
  if (!check.news.empty()) showNews(check.news);
  resetReminder(services_.dataFolder, currentMonth());
  if (!check.newer) {
    status_->setText("Status:  Download Complete.  You have the most recent version.");
    Get("PROGRESS")->hide();
    Get("DOWNLOAD_BUTTON")->setSelectable(true);
    return;
  }
  proof_ = check.proof;
  transfer_ = std::make_unique<HttpDownload>(services_.user, services_.download);
  stage_ = Stage::Update;
  transfer_->start(services_.server, kUpdatePath, services_.dataFolder);
  post(UI_EVENT(kNextStep));
}

void OnlineWindow::updateFetched() {
  const auto installer = finishUpdateDownload(
      services_.user, *transfer_, proof_, services_.dataFolder / "update", services_.productName);
  transfer_.reset();
  stage_ = Stage::Idle;
  Get("PROGRESS")->hide();
  Get("DOWNLOAD_BUTTON")->setSelectable(true);
  if (installer) services_.pendingInstaller = installer->string();
  status_->setText(installer ? "Status:  Download complete."
                             : "Status:  The update could not be downloaded.");
}

void OnlineWindow::cancel() {
  if (stage_ == Stage::Update &&
      services_.user.message("Cancel Download?", "QUESTION", Buttons::YesNo,
                             "Do you want to stop downloading the update?") != Button::Yes)
    return;
  stopTransfer();
  UI_WINDOW_MANAGER::instance().subtract(this);
}

void OnlineWindow::stopTransfer() {
  if (!transfer_) return;
  const bool update = stage_ == Stage::Update;
  transfer_->cancel();
  if (update) {
    std::error_code ignored;
    std::filesystem::remove(transfer_->file(), ignored);
  }
  transfer_.reset();
  stage_ = Stage::Idle;
}

void OnlineWindow::showProgress(std::int64_t received) {
  status_->setText(
      platform::formatText("Status:  Downloading...Read the news while you wait!  %.3fMB Received.",
                           double(received) * 0.000001));
}

void OnlineWindow::showNews(const std::string& news) {
  news_->setText(news);
}

void OnlineWindow::scroll(bool down) {
  auto* bar = static_cast<QPlainTextEdit*>(news_->widget())->verticalScrollBar();
  bar->triggerAction(down ? QAbstractSlider::SliderPageStepAdd
                          : QAbstractSlider::SliderPageStepSub);
}

}  // namespace savora::online
