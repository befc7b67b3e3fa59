// A server from loopback_servers.py on 127.0.0.1, running for the life of the object.
#pragma once

#include <sys/types.h>

#include <string>
#include <utility>
#include <vector>

#include "online/http_download.h"
#include "temp_folder.h"

namespace savora::testing {

class LoopbackServer {
 public:
  // `mode` as loopback_servers.py names it; `extra` are further arguments (certificate files).
  LoopbackServer(const std::string& mode, const std::string& folder,
                 const std::vector<std::string>& extra = {});
  ~LoopbackServer();
  LoopbackServer(const LoopbackServer&) = delete;
  LoopbackServer& operator=(const LoopbackServer&) = delete;

  int port() const { return port_; }
  std::string url() const { return "http://127.0.0.1:" + std::to_string(port_); }

 private:
  pid_t pid_ = -1;
  int port_ = 0;
};

// A self-signed certificate and its key for 127.0.0.1, made in `folder` for one test.
std::pair<std::string, std::string> makeCertificate(const TempFolder& folder);

// Download options that give up quickly on a loopback server that does not answer.
online::DownloadOptions quickOptions();

}  // namespace savora::testing
