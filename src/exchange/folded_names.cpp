#include "exchange/folded_names.h"

#include "platform/text.h"

namespace savora::exchange {

void FoldedNames::readIfStale() {
  if (!table_.isOpen()) return;
  const uint32_t records = table_.table().recordCount();
  if (read_ && records == recordsRead_) return;
  records_.clear();
  for (bool on = table_.first(tag_); on; on = table_.next()) {
    records_.try_emplace(platform::toLower(table_.text(field_)), table_.table().recordNumber());
  }
  recordsRead_ = records;
  read_ = true;
}

bool FoldedNames::find(std::string_view name) {
  const std::string wanted = platform::trim(name);
  if (wanted.empty() || !table_.isOpen()) return false;
  readIfStale();
  const auto it = records_.find(platform::toLower(wanted));
  if (it == records_.end()) return false;
  xbase::Table& table = table_.table();
  if (!table.go(it->second) || table.deleted() ||
      !platform::equalsIgnoreCase(table_.text(field_), wanted)) {
    records_.erase(it);
    return false;
  }
  return true;
}

void FoldedNames::appended(std::string_view name) {
  // Anything but this one append since the last read means reading again.
  if (!read_ || !table_.isOpen() || table_.table().recordCount() != recordsRead_ + 1) {
    read_ = false;
    return;
  }
  records_.try_emplace(platform::toLower(platform::trim(name)), ++recordsRead_);
}

}  // namespace savora::exchange
