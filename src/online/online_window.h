// ONLINE_WINDOW: the update service. It shows the last news at once; Download fetches the news
// again, checks the version the server offers and, when it is newer, downloads the update while
// the news can be read. Both transfers advance one short step per event the window posts to
// itself, so the program stays responsive. An update is fetched only when the news carries a
// valid signature, and kept only when it matches the signed checksum; its installer then runs
// when the program exits. A cancelled, broken or tampered one leaves nothing behind.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "online/http_download.h"
#include "online/update_proof.h"
#include "toolkit/uiw_window.h"
#include "toolkit/user.h"
#include "toolkit/window_spec.h"

namespace savora::online {

extern const toolkit::WindowSpec kOnlineWindowSpec;

inline constexpr const char* kNewsPath = "/Savora2000/news.txt";
inline constexpr const char* kUpdatePath = "/Savora2000/update.zip";

struct OnlineWindowServices {
  toolkit::User& user;
  std::string server;                // "http://host:port" or "https://host:port"
  std::filesystem::path dataFolder;  // news.txt, update.zip, the reminder counts, update/
  std::string productName;
  std::string programVersion;
  DownloadOptions download;
  // Set to the verified update's installer, to be started at exit; empty while none waits.
  std::string& pendingInstaller;
  std::string updatePublicKey = kUpdatePublicKey;  // hex; tests use a key of their own
};

class OnlineWindow : public toolkit::UIW_WINDOW {
 public:
  explicit OnlineWindow(OnlineWindowServices services);
  ~OnlineWindow() override;

  int Event(const toolkit::UI_EVENT& event) override;

  enum class Stage { Idle, News, Update };
  Stage stage() const { return stage_; }

 private:
  void download();
  void nextStep();
  void newsFetched();
  void updateFetched();
  void cancel();
  // Ends a running transfer; a partial update is deleted.
  void stopTransfer();
  void showProgress(std::int64_t received);
  void showNews(const std::string& news);
  void scroll(bool down);

  OnlineWindowServices services_;
  std::unique_ptr<HttpDownload> transfer_;
  UpdateProof proof_;  // what the update being fetched must match
  Stage stage_ = Stage::Idle;
  toolkit::UIW_TEXT* news_;
  toolkit::UIW_PROMPT* status_;
};

}  // namespace savora::online
