#include "backup/backup_schedule.h"

#include <cctype>
#include <ctime>

#include "platform/file_ops.h"
#include "platform/log.h"
#include "platform/program_dirs.h"
#include "platform/text.h"

namespace savora::backup {
namespace {

struct DayCounter {
  int day = 0;
  int counter = 0;
};

// "backup.cnt": two digits of day, one digit of counter. A missing or damaged file counts as
// day 0, counter 0 (so the next exit backs up, which is the safe side).
DayCounter readCounter() {
  DayCounter c;
  const auto text = platform::readWholeFile(kBackupCounterFile, 16);
  if (!text || text->size() < 3) return c;
  const std::string& t = *text;
  if (!std::isdigit(static_cast<unsigned char>(t[0])) ||
      !std::isdigit(static_cast<unsigned char>(t[1])) ||
      !std::isdigit(static_cast<unsigned char>(t[2]))) {
    return c;
  }
  c.day = (t[0] - '0') * 10 + (t[1] - '0');
  c.counter = t[2] - '0';
  return c;
}

}  // namespace

std::string automaticBackupPath() {
  return platform::windowsDirectory() + "savorabackup.ck9";
}

std::string backupCounterText(int dayOfMonth, int counter) {
  return dayOfMonth < 10 ? platform::formatText("0%d%d", dayOfMonth, counter)
                         : platform::formatText("%d%d", dayOfMonth, counter);
}

bool isBackupDue(store::TableStore& store, toolkit::User& user, int today) {
  DayCounter c = readCounter();
  if (c.day != today || c.counter == 0) {
    if (++c.counter >= 10) c.counter = 0;
  }
  // Unsaved, the count of starts only makes the next backup come sooner or later.
  platform::logIfFailed(
      platform::writeWholeFile(kBackupCounterFile, backupCounterText(today, c.counter)),
      std::string("the backup counter is not saved in ") + kBackupCounterFile);

  const bool due = c.counter == 0 || store.recipesAdded() >= kNewRecipesForBackup ||
                   !platform::fileExists(automaticBackupPath());
  if (!due) return false;
  store.resetRecipesAdded();
  if (platform::fileExists("email.us")) {
    user.message("Give Us Feedback!", "EXCLAMATION", toolkit::Buttons::Ok,
                 "Thank you for using Savora!\r\n\r\nWe would love to hear what you think of it. "
                 "Please send your comments\r\nand suggestions to us by e-mail or give us a call.");
    platform::logIfFailed(platform::deleteFile("email.us"),
                          "the feedback marker \"email.us\" stays: the request comes again");
  }
  return true;
}

void writeBackupDone(int today) {
  platform::logIfFailed(platform::writeWholeFile(kBackupCounterFile, backupCounterText(today, 0)),
                        std::string("the backup just made is not noted in ") + kBackupCounterFile);
}

int todayDayOfMonth() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local.tm_mday;
}

}  // namespace savora::backup
