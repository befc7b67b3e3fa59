#include "loopback_server.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>

namespace savora::testing {

LoopbackServer::LoopbackServer(const std::string& mode, const std::string& folder,
                               const std::vector<std::string>& extra) {
  int out[2];
  if (pipe(out) != 0) ADD_FAILURE() << "pipe";
  const std::string script = SAVORA_SOURCE_DIR "/tests/online/loopback_servers.py";
  std::vector<std::string> words = {"/usr/bin/python3", script, mode, folder};
  words.insert(words.end(), extra.begin(), extra.end());
  pid_ = fork();
  if (pid_ == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    close(out[1]);
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  close(out[1]);
  std::FILE* reader = fdopen(out[0], "r");
  if (!reader || std::fscanf(reader, "PORT %d", &port_) != 1)
    ADD_FAILURE() << "the " << mode << " server did not start";
  if (reader) std::fclose(reader);
}

LoopbackServer::~LoopbackServer() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
}

}  // namespace savora::testing
