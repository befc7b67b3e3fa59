#include "online/http_download.h"

#include <curl/curl.h>

#include <cstdio>

#include "online/download_file_name.h"

namespace savora::online {

namespace {

std::filesystem::path& lastFile() {
  static std::filesystem::path path;
  return path;
}

// How long one step waits for the socket before handing control back to the caller.
constexpr int kStepWaitMilliseconds = 100;

}  // namespace

const std::filesystem::path& lastDownloadedFile() {
  return lastFile();
}

struct HttpDownload::Transfer {
  CURLM* multi = curl_multi_init();
  CURL* easy = curl_easy_init();
  std::FILE* out = nullptr;

  ~Transfer() {
    closeFile();
    curl_multi_remove_handle(multi, easy);
    curl_easy_cleanup(easy);
    curl_multi_cleanup(multi);
  }
  void closeFile() {
    if (out) std::fclose(out);
    out = nullptr;
  }
};

HttpDownload::HttpDownload(toolkit::User& user, DownloadOptions options)
    : user_(user), options_(std::move(options)) {}

HttpDownload::~HttpDownload() = default;

size_t HttpDownload::onHeader(char* data, size_t size, size_t count, void* self) {
  auto* download = static_cast<HttpDownload*>(self);
  const size_t bytes = size * count;
  if (std::fwrite(data, 1, bytes, download->transfer_->out) != bytes) {
    download->writeFailed_ = true;
    return 0;
  }
  download->received_ += static_cast<std::int64_t>(bytes);
  return bytes;
}

size_t HttpDownload::onData(char* data, size_t size, size_t count, void* self) {
  auto* download = static_cast<HttpDownload*>(self);
  const size_t bytes = size * count;
  if (std::fwrite(data, 1, bytes, download->transfer_->out) != bytes) {
    download->writeFailed_ = true;
    return 0;
  }
  download->received_ += static_cast<std::int64_t>(bytes);
  download->bodyBytes_ += static_cast<std::int64_t>(bytes);
  return bytes;
}

void HttpDownload::start(const std::string& server, const std::string& path,
                         const std::filesystem::path& folder) {
  transfer_ = std::make_unique<Transfer>();
  if (!transfer_->multi || !transfer_->easy) {
    fail("NetManager", "Could not start the network library.");
    return;
  }
  file_ = folder / downloadFileName(path);
  lastFile() = file_;
  transfer_->out = std::fopen(file_.c_str(), "wb");
  if (!transfer_->out) {
    fail("NetManager", "Could not create the file " + file_.string() + ".");
    return;
  }
  CURLU* url = curl_url();
  curl_url_set(url, CURLUPART_URL, server.c_str(), CURLU_NON_SUPPORT_SCHEME);
  char* hostText = nullptr;
  if (curl_url_get(url, CURLUPART_HOST, &hostText, 0) == CURLUE_OK) host_ = hostText;
  curl_free(hostText);
  curl_url_cleanup(url);

  CURL* easy = transfer_->easy;
  const std::string address = server + path;
  curl_easy_setopt(easy, CURLOPT_URL, address.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
  curl_easy_setopt(easy, CURLOPT_USERAGENT, options_.userAgent.c_str());
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, options_.connectTimeoutSeconds);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, options_.idleTimeoutSeconds);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, &HttpDownload::onHeader);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, this);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, &HttpDownload::onData);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, this);
  curl_multi_add_handle(transfer_->multi, easy);
  active_ = true;
  succeeded_ = false;
  received_ = 0;
  bodyBytes_ = 0;
  step();
}

void HttpDownload::step() {
  if (!active_) return;
  int running = 0;
  curl_multi_perform(transfer_->multi, &running);
  if (running) {
    curl_multi_poll(transfer_->multi, nullptr, 0, kStepWaitMilliseconds, nullptr);
    curl_multi_perform(transfer_->multi, &running);
  }
  if (!running) finish();
}

void HttpDownload::cancel() {
  if (!active_) return;
  transfer_.reset();
  active_ = false;
  succeeded_ = false;
}

void HttpDownload::finish() {
  CURLcode result = CURLE_OK;
  int left = 0;
  while (CURLMsg* message = curl_multi_info_read(transfer_->multi, &left)) {
    if (message->msg == CURLMSG_DONE) result = message->data.result;
  }
  long code = 0;
  curl_easy_getinfo(transfer_->easy, CURLINFO_RESPONSE_CODE, &code);
  status_ = static_cast<int>(code);
  curl_off_t length = -1;
  curl_easy_getinfo(transfer_->easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  const bool closed = transfer_->out && std::fclose(transfer_->out) == 0;
  transfer_->out = nullptr;

  switch (result) {
    case CURLE_OK:
      break;
    case CURLE_COULDNT_RESOLVE_HOST:
      return fail(host_, "Could not get IP address!");
    case CURLE_COULDNT_CONNECT: {
      long osError = 0;
      curl_easy_getinfo(transfer_->easy, CURLINFO_OS_ERRNO, &osError);
      return fail("NetManager", std::to_string(osError) + " Error connecting socket!!");
    }
    case CURLE_OPERATION_TIMEDOUT:
      return fail("NetManager", "The server did not answer in time.");
    default:
      if (writeFailed_) return fail("NetManager", "Could not write " + file_.string() + ".");
      return fail("NetManager", std::string("The download failed: ") + curl_easy_strerror(result));
  }
  active_ = false;
  // A server may close early without curl noticing when it gave no length; a length it gave
  // must be met for the file to count.
  succeeded_ = closed && status_ == 200 && (length < 0 || bodyBytes_ == length);
  transfer_.reset();
}

void HttpDownload::fail(const std::string& caption, const std::string& text) {
  transfer_.reset();
  active_ = false;
  succeeded_ = false;
  user_.message(caption, "HAND", toolkit::Buttons::Ok, text);
}

}  // namespace savora::online
