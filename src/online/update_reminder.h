// The monthly reminder to look for updates. "update.cnt" holds the month (1-12) of the last
// check or reset, "remind.cnt" how many reminders were shown since: once the month has changed
// without a check, the next three exits remind, and the fourth stamps the month again.
#pragma once

#include <filesystem>

namespace savora::online {

// Whether this exit should remind; counts the reminder (or resets after three). Without
// "update.cnt" (a new installation) the month is stamped and nothing is due.
bool reminderDue(const std::filesystem::path& dataFolder, int currentMonth);

// Stamps the current month and a count of 0: after an update check, or the third reminder.
void resetReminder(const std::filesystem::path& dataFolder, int currentMonth);

// The month of today, 1-12.
int currentMonth();

}  // namespace savora::online
