#include "online/update_installer.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "archive/job.h"

namespace savora::online {

namespace {

constexpr const char* kInstallerName = "install.exe";

// Copies what follows the first blank line of `response` into `archive`.
bool copyBody(const std::filesystem::path& response, const std::filesystem::path& archive) {
  std::ifstream in(response, std::ios::binary);
  std::string headers;
  for (char c; headers.size() < 4 || headers.compare(headers.size() - 4, 4, "\r\n\r\n") != 0;) {
    if (!in.get(c)) return false;
    headers += c;
  }
  std::ofstream out(archive, std::ios::binary | std::ios::trunc);
  out << in.rdbuf();
  return bool(out.flush());
}

}  // namespace

std::optional<std::filesystem::path> unpackInstaller(const std::filesystem::path& download,
                                                     const std::filesystem::path& folder) {
  std::error_code error;
  std::filesystem::remove_all(folder, error);
  std::filesystem::create_directories(folder, error);
  const std::filesystem::path archivePath = folder / "update.zip";
  const std::filesystem::path installer = folder / kInstallerName;
  bool unpacked = !error && copyBody(download, archivePath);
  if (unpacked) {
    archive::Job job;
    job.init();
    int code = job.openArchive(archivePath.string(), archive::kModeImport);
    if (code == archive::kOk) code = job.extract(kInstallerName, folder.string());
    if (code == archive::kOk) code = job.process();
    job.cleanup();
    unpacked = code == archive::kOk && std::filesystem::is_regular_file(installer, error);
  }
  if (unpacked) {
    std::filesystem::permissions(installer, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace, error);
    unpacked = !error;
  }
  if (!unpacked) {
    std::filesystem::remove_all(folder, error);
    return std::nullopt;
  }
  return installer;
}

}  // namespace savora::online
