// One running copy per content title: a running program listens on a local socket named after
// its title; a second start finds it there, asks it to come to the front and ends.
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

  // Asks a running copy serving any of the titles to come to the front; true when one answered.
  static bool activateRunning(const std::vector<std::string>& titles);
  // Starts answering such requests for `title`; `activate` brings this copy's window forward.
  bool listen(const std::string& title, std::function<void()> activate);

 private:
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace savora::toolkit
