// One running copy per content title and settings folder: a running program listens on a local
// socket named after both; a second start finds it there, asks it to come to the front, hands it
// the files it was started with, and ends.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLocalServer;

namespace savora::toolkit {

class SingleInstance {
 public:
  SingleInstance();
  ~SingleInstance();

  // What a second start hands over: the files it was asked to open (absolute paths).
  using HandOver = std::function<void(const std::vector<std::string>& files)>;

  // Asks a running copy serving any of the titles from the settings folder `scope` to come to the
  // front and open `files`; true when one answered.
  static bool activateRunning(const std::vector<std::string>& titles, const std::string& scope,
                              const std::vector<std::string>& files = {});
  // Starts answering such requests for `title` in `scope`; `activate` brings this copy's window
  // forward and opens the files handed over. Stops when this object is destroyed.
  bool listen(const std::string& title, const std::string& scope, HandOver activate);

 private:
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace savora::toolkit
