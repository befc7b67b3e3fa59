#include "planning/named_list_events.h"

#include <algorithm>

#include "platform/text.h"

namespace savora::planning {

namespace {

bool validRow(const std::vector<std::string>& entries, int row) {
  return row >= 0 && size_t(row) < entries.size();
}

}  // namespace

NamedListEvents::NamedListEvents(NamedListChoice& choice, Show show)
    : choice_(choice), show_(std::move(show)) {}

void NamedListEvents::refresh() {
  NamedListShown shown;
  shown.entries = choice_.listEntries();
  for (size_t row = 0; row < shown.entries.size() && shown.currentRow < 0; ++row) {
    if (platform::equalsIgnoreCase(shown.entries[row], choice_.current())) shown.currentRow = int(row);
  }
  const char* word = choice_.texts().titleWord;
  shown.title = choice_.hasName()
                    ? platform::formatText("%s - %s", word, choice_.current().c_str())
                    : std::string(word);
  if (show_) show_(shown);
}

void NamedListEvents::start(const std::vector<std::string>& preferred) {
  std::string first = choice_.listEntries().front();  // "<new ...>" when there is no list
  for (const std::string& name : preferred) {
    if (!name.empty() && choice_.exists(name)) {
      first = name;
      break;
    }
  }
  choice_.load(first);
  refresh();
}

void NamedListEvents::chosen(const std::vector<std::string>& entries, int row) {
  if (!validRow(entries, row)) return;
  choice_.choose(entries[size_t(row)]);
  refresh();
}

void NamedListEvents::newClicked() {
  choice_.choose(choice_.texts().newEntry);
  refresh();
}

void NamedListEvents::asked(const std::string& name) {
  if (!name.empty() && choice_.choose(name)) refresh();
}

void NamedListEvents::renameDropped(const std::vector<std::string>& entries, int row) {
  if (validRow(entries, row) && choice_.renameDropped(entries[size_t(row)])) refresh();
}

void NamedListEvents::deleteAt(const std::vector<std::string>& entries, int row) {
  if (!validRow(entries, row)) return;
  const std::string& name = entries[size_t(row)];
  const bool wasCurrent = platform::equalsIgnoreCase(name, choice_.current());
  if (!choice_.remove(name)) return;
  if (wasCurrent) {
    const std::vector<std::string> left = choice_.listEntries();
    choice_.load(left[std::min(size_t(row), left.size() - 1)]);
  }
  refresh();
}

}  // namespace savora::planning
