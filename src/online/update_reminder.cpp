#include "online/update_reminder.h"

#include <ctime>
#include <fstream>
#include <string>

#include "platform/file_ops.h"
#include "platform/log.h"

namespace savora::online {

namespace {

// The number at the start of a file's first `width` characters; 0 when missing or unreadable.
int readCount(const std::filesystem::path& file, size_t width) {
  std::ifstream in(file, std::ios::binary);
  std::string text(width, '\0');
  in.read(text.data(), std::streamsize(width));
  text.resize(size_t(in.gcount()));
  return std::atoi(text.c_str());
}

// Unsaved, a count only makes the reminder come sooner or later.
void writeCount(const std::filesystem::path& file, int value) {
  platform::logIfFailed(platform::writeWholeFile(file.string(), std::to_string(value)),
                        "the update reminder's count is not saved in " + file.string());
}

}  // namespace

void resetReminder(const std::filesystem::path& dataFolder, int month) {
  writeCount(dataFolder / "update.cnt", month);
  writeCount(dataFolder / "remind.cnt", 0);
}

bool reminderDue(const std::filesystem::path& dataFolder, int month) {
  // A new installation has not gone a month without looking: its first month starts now.
  if (!std::filesystem::exists(dataFolder / "update.cnt")) {
    resetReminder(dataFolder, month);
    return false;
  }
  const int storedMonth = readCount(dataFolder / "update.cnt", 2);
  const int reminders = readCount(dataFolder / "remind.cnt", 1);
  if (reminders == 3) {
    resetReminder(dataFolder, month);
    return false;
  }
  if (storedMonth == month) return false;
  writeCount(dataFolder / "remind.cnt", reminders + 1);
  return true;
}

int currentMonth() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_mon + 1;
}

}  // namespace savora::online
