// One file fetched from a web server, stepped by its caller: start() begins the request, and the
// caller calls step() while active(), redrawing its progress between calls. Each step waits at
// most a fraction of a second, so a window driving it stays responsive.
//
// The local file holds the whole response as the server sent it, status line and headers
// included. The transfer succeeded only when the server answered 200 and, when it gave a length,
// sent that many bytes of body; a connection that cannot be made, a silent server (time-outs)
// or a broken transfer ends as failed, with the reason told to the user.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "toolkit/user.h"

namespace savora::online {

struct DownloadOptions {
  std::string userAgent;  // "<product> v<version>"
  long connectTimeoutSeconds = 20;
  long idleTimeoutSeconds = 30;  // a transfer that receives nothing for this long fails
};

class HttpDownload {
 public:
  explicit HttpDownload(toolkit::User& user, DownloadOptions options = {});
  ~HttpDownload();
  HttpDownload(const HttpDownload&) = delete;
  HttpDownload& operator=(const HttpDownload&) = delete;

  // Begins fetching `path` from `server` ("http://host[:port]" or "https://host[:port]") into
  // the file named by downloadFileName(path) in `folder`, and takes the first step. Inactive
  // afterwards when the request could not begin (the user was told why).
  void start(const std::string& server, const std::string& path,
             const std::filesystem::path& folder);
  // One bounded wait for data; ends the transfer when the server is done or it failed.
  void step();
  // Ends a running transfer at once; it counts as failed.
  void cancel();

  bool active() const { return active_; }
  bool succeeded() const { return succeeded_; }
  std::int64_t received() const { return received_; }
  const std::filesystem::path& file() const { return file_; }
  int status() const { return status_; }

 private:
  struct Transfer;
  void finish();
  void fail(const std::string& caption, const std::string& text);
  static size_t onData(char* data, size_t size, size_t count, void* self);
  static size_t onHeader(char* data, size_t size, size_t count, void* self);

  toolkit::User& user_;
  DownloadOptions options_;
  std::unique_ptr<Transfer> transfer_;
  std::filesystem::path file_;
  std::string host_;
  bool active_ = false;
  bool succeeded_ = false;
  bool writeFailed_ = false;
  std::int64_t received_ = 0;
  std::int64_t bodyBytes_ = 0;
  int status_ = 0;
};

// The local file the last download of this run wrote to (empty before the first).
const std::filesystem::path& lastDownloadedFile();

}  // namespace savora::online
