#include "loopback_server.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

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

std::pair<std::string, std::string> makeCertificate(const TempFolder& folder) {
  const std::string cert = folder.str() + "cert.pem", key = folder.str() + "key.pem";
  const std::string command =
      "openssl req -x509 -newkey rsa:2048 -nodes -days 1 -subj /CN=127.0.0.1"
      " -addext subjectAltName=IP:127.0.0.1 -keyout " +
      key + " -out " + cert + " >/dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0);
  return {cert, key};
}

online::DownloadOptions quickOptions() {
  online::DownloadOptions options;
  options.userAgent = "Savora99 v6.998";
  options.connectTimeoutSeconds = 2;
  options.idleTimeoutSeconds = 2;
  return options;
}

}  // namespace savora::testing
