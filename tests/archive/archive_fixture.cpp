#include "archive_fixture.h"

#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "archive/zip_reading.h"
#include "platform/file.h"
#include "platform/program_dirs.h"

namespace savora::archive::testing {

std::vector<int> Recorder::codes() const {
  std::vector<int> out;
  for (const Message& m : messages) out.push_back(m.code);
  return out;
}

bool Recorder::has(const Message& message) const {
  return std::find(messages.begin(), messages.end(), message) != messages.end();
}

void ArchiveTest::SetUp() {
  ASSERT_TRUE(platform::setProgramDirectory(dir.str()));
}

void ArchiveTest::TearDown() {
  platform::WriteFaults::disarm();
}

int ArchiveTest::addJob(const std::string& archive, const std::vector<std::string>& patterns,
                        int mode, Recorder* recorder) {
  Job job;
  job.init();
  if (const int rc = job.openArchive(archive, mode); rc != kOk) return rc;
  if (recorder) job.registerFunction(kProgressFunctionId, recorder->function());
  for (const std::string& pattern : patterns) {
    if (const int rc = job.add(pattern); rc != kOk) return rc;
  }
  const int rc = job.process();
  job.closeArchive();
  job.cleanup();
  return rc;
}

int ArchiveTest::extractJob(const std::string& archive, const std::string& destination, int mode,
                            Recorder* recorder, const std::string& pattern) {
  Job job;
  job.init();
  if (const int rc = job.openArchive(archive, mode); rc != kOk) return rc;
  if (recorder) job.registerFunction(kProgressFunctionId, recorder->function());
  if (const int rc = job.extract(pattern, destination); rc != kOk) return rc;
  const int rc = job.process();
  job.closeArchive();
  job.cleanup();
  return rc;
}

std::vector<std::string> ArchiveTest::filesUnder(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  if (!std::filesystem::exists(folder)) return names;
  for (const auto& e : std::filesystem::recursive_directory_iterator(folder)) {
    if (e.is_regular_file()) names.push_back(std::filesystem::relative(e.path(), folder));
  }
  std::sort(names.begin(), names.end());
  return names;
}

int runCommand(const std::string& command) {
  const int status = std::system(command.c_str());
  return status == -1 || !WIFEXITED(status) ? -1 : WEXITSTATUS(status);
}

bool toolAvailable(const std::string& tool) {
  return runCommand("command -v " + tool + " >/dev/null 2>&1") == 0;
}

namespace {

void put16(std::string& out, unsigned value) {
  out += char(value & 0xFF);
  out += char((value >> 8) & 0xFF);
}

void put32(std::string& out, uint32_t value) {
  put16(out, value & 0xFFFF);
  put16(out, value >> 16);
}

}  // namespace

void writeStoredZip(const std::string& path,
                    const std::vector<std::pair<std::string, std::string>>& entries) {
  std::string out, central;
  for (const auto& [name, data] : entries) {
    const uint32_t crc = crc32Update(0, data.data(), data.size());
    const uint32_t offset = uint32_t(out.size());
    put32(out, 0x04034b50);
    for (unsigned v : {20u, 0u, 0u, 0u, 0x21u})
      put16(out, v);  // version, flags, method, time, date
    put32(out, crc);
    put32(out, uint32_t(data.size()));
    put32(out, uint32_t(data.size()));
    put16(out, unsigned(name.size()));
    put16(out, 0);
    out += name + data;

    put32(central, 0x02014b50);
    for (unsigned v : {20u, 20u, 0u, 0u, 0u, 0x21u}) put16(central, v);
    put32(central, crc);
    put32(central, uint32_t(data.size()));
    put32(central, uint32_t(data.size()));
    for (unsigned v : {unsigned(name.size()), 0u, 0u, 0u, 0u}) put16(central, v);
    put32(central, 0);  // external attributes
    put32(central, offset);
    central += name;
  }
  const uint32_t centralOffset = uint32_t(out.size());
  out += central;
  put32(out, 0x06054b50);
  for (unsigned v : {0u, 0u, unsigned(entries.size()), unsigned(entries.size())}) put16(out, v);
  put32(out, uint32_t(central.size()));
  put32(out, centralOffset);
  put16(out, 0);
  std::ofstream(path, std::ios::binary) << out;
}

std::string testBytes(size_t size, unsigned seed, bool text) {
  std::string out(size, '\0');
  uint32_t state = seed * 2654435761u + 1;
  for (size_t i = 0; i < size; ++i) {
    state = state * 1664525u + 1013904223u;
    out[i] = text ? char('a' + (state >> 24) % 6 + (i % 61 == 0 ? -0x57 : 0)) : char(state >> 24);
  }
  return out;
}

}  // namespace savora::archive::testing
