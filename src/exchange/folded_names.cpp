#include "exchange/folded_names.h"

#include "platform/text.h"

namespace savora::exchange {

void FoldedNames::readIfStale() {
  if (!table_.isOpen()) return;
  const uint32_t records = table_.table().recordCount();
  if (read_ && records == recordsRead_) return;
  uids_.clear();
  for (bool on = table_.first(tag_); on; on = table_.next()) {
    uids_.try_emplace(platform::toLower(table_.text(field_)), table_.number("UID"));
  }
  recordsRead_ = records;
  read_ = true;
}

long FoldedNames::find(std::string_view name) {
  const std::string wanted = platform::trim(name);
  if (wanted.empty()) return 0;
  readIfStale();
  const auto it = uids_.find(platform::toLower(wanted));
  if (it == uids_.end()) return 0;
  if (!table_.seekUid(it->second) || !platform::equalsIgnoreCase(table_.text(field_), wanted)) {
    uids_.erase(it);
    return 0;
  }
  return it->second;
}

void FoldedNames::added(std::string_view name, long uid) {
  // Anything but this one append since the last read means reading again.
  if (!read_ || !table_.isOpen() || table_.table().recordCount() != recordsRead_ + 1) {
    read_ = false;
    return;
  }
  uids_.try_emplace(platform::toLower(platform::trim(name)), uid);
  ++recordsRead_;
}

}  // namespace savora::exchange
