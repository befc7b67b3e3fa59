// One running copy per content title and settings folder: a running program listens on a local
// socket named after both; a second start finds it there, asks it to come to the front and ends.
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

  // Asks a running copy serving any of the titles from the settings folder `scope` to come to the
  // front; true when one answered.
  static bool activateRunning(const std::vector<std::string>& titles, const std::string& scope);
  // Starts answering such requests for `title` in `scope`; `activate` brings this copy's window
  // forward. Stops when this object is destroyed.
  bool listen(const std::string& title, const std::string& scope, std::function<void()> activate);

 private:
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace savora::toolkit
