// Shared setup for the archive tests: a temporary program folder, a progress recorder, helpers
// that run whole jobs, outside tools (unzip, python's zipfile) and a writer of hand-made archives.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "archive/job.h"
#include "temp_folder.h"

namespace savora::archive::testing {

struct Message {
  int code = 0;
  int parameter = 0;
  std::string file;
  bool operator==(const Message&) const = default;
};

// Records every progress message; sets the abort request on the message `abortOn` about the
// file `abortFile` when they are given.
struct Recorder {
  std::vector<Message> messages;
  int abortOn = 0;
  std::string abortFile;

  ProgressFunction function() {
    return [this](JobStatus& status, int code, int parameter) {
      messages.push_back({code, parameter, status.currentFile});
      if (abortOn != 0 && code == abortOn && status.currentFile == abortFile) {
        status.abortRequest = kAbortRequest;
      }
      return 0;
    };
  }
  std::vector<int> codes() const;
  bool has(const Message& message) const;
};

class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Runs init, open, register, add each pattern, process, close, cleanup; returns process's
  // status (or the first failing step's).
  int addJob(const std::string& archive, const std::vector<std::string>& patterns,
             int mode = kModeNew, Recorder* recorder = nullptr);
  int extractJob(const std::string& archive, const std::string& destination, int mode = kModeImport,
                 Recorder* recorder = nullptr, const std::string& pattern = "*.*");

  std::string path(const std::string& relative) const { return (dir.path() / relative).string(); }
  // Names of the regular files under `folder`, relative to it, sorted.
  static std::vector<std::string> filesUnder(const std::filesystem::path& folder);

  savora::testing::TempFolder dir;  // also the current folder
};

// Exit status of a shell command, or -1 when it could not run.
int runCommand(const std::string& command);
bool toolAvailable(const std::string& tool);

// Writes a ZIP archive of stored (uncompressed) entries with exactly the given names, so tests
// can build archives no well-behaved writer would make.
void writeStoredZip(const std::string& path,
                    const std::vector<std::pair<std::string, std::string>>& entries);

// Deterministic test data: `size` bytes, compressible when `text`, otherwise noise.
std::string testBytes(size_t size, unsigned seed, bool text);

}  // namespace savora::archive::testing
