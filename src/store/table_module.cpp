#include "store/table_module.h"

#include <algorithm>
#include <cmath>

#include "platform/log.h"
#include "platform/program_dirs.h"
#include "platform/text.h"
#include "toolkit/user.h"
#include "xbase/error.h"

namespace savora::store {

TableModule::TableModule(TableStore& store, TableDefinition definition)
    : store_(store), definition_(std::move(definition)) {}

TableModule::~TableModule() {
  try {
    close();
  } catch (const xbase::Error& error) {
    // Closing in a destructor has no one to report to; close() is called explicitly at
    // shutdown, where failures are reported.
    platform::logFailure(error.what());
  }
}

void TableModule::open() {
  close();
  deletions_ = 0;
  fieldIndexes_.clear();
  xbase::OpenOptions options;
  options.tags = definition_.tags;
  options.readOnly = store_.readOnly();
  table_ = xbase::Table::open(definition_.name, options);
  if (!table_ && !store_.readOnly())
    table_ = xbase::Table::create(definition_.name, definition_.fields, definition_.tags);
}

void TableModule::close() {
  if (!table_) return;
  std::unique_ptr<xbase::Table> table = std::move(table_);
  fieldIndexes_.clear();
  if (deletions_ > definition_.packAfterDeletions && !table->readOnly()) {
    try {
      toolkit::StatusScope status(store_.user(), definition_.packTitle, definition_.packText);
      table->pack();
    } catch (...) {
      table->close();
      throw;
    }
  }
  deletions_ = 0;
  table->close();
}

void TableModule::reopen() {
  close();
  open();
}

xbase::Table& TableModule::table() {
  if (!table_) xbase::raise("table %s is not open", definition_.name.c_str());
  return *table_;
}

int TableModule::field(std::string_view name) {
  const auto it = fieldIndexes_.find(name);
  if (it != fieldIndexes_.end()) return it->second;
  const int index = table().fieldIndex(name);
  if (index < 0) {
    xbase::raise("table %s has no field %.*s", definition_.name.c_str(), int(name.size()),
                 name.data());
  }
  fieldIndexes_.emplace(std::string(name), index);
  return index;
}

bool TableModule::first(std::string_view tag) {
  if (!table_ || !table_->selectTag(tag)) return false;
  if (!table_->top()) return false;
  while (table_->deleted()) {
    if (!table_->skip(1)) return false;
  }
  return true;
}

bool TableModule::next() {
  if (!table_ || table_->eof()) return false;
  do {
    if (!table_->skip(1)) return false;
  } while (table_->deleted());
  return true;
}

bool TableModule::seekUid(long uid) {
  if (!table_ || uid == 0) return false;
  if (!table_->eof() && !table_->deleted() && table_->recordCount() > 0 &&
      long(table_->number(field("UID"))) == uid) {
    return true;
  }
  if (!table_->selectTag(kUidTag)) return false;
  return table_->seek(double(uid)) == xbase::SeekResult::Found && !table_->deleted();
}

bool TableModule::findIgnoringCase(std::string_view tag, std::string_view field,
                                   std::string_view text) {
  const std::string wanted = platform::trim(text);
  if (wanted.empty() || !table_ || table_->recordCount() == 0) return false;
  auto matches = [&] { return platform::equalsIgnoreCase(this->text(field), wanted); };
  if (!table_->eof() && !table_->deleted() && matches()) return true;
  if (!table_->selectTag(tag)) return false;
  if (table_->seek(wanted) == xbase::SeekResult::Found && !table_->deleted() && matches())
    return true;
  for (bool on = first(tag); on; on = next()) {
    if (matches()) return true;
  }
  return false;
}

long TableModule::nextUid() {
  if (!table_ || !table_->selectTag(kUidTag) || !table_->bottom()) return 1;
  return long(table_->number(field("UID"))) + 1;
}

void TableModule::appendStart(long uid) {
  xbase::Table& t = table();
  t.appendStart();
  t.blank();
  t.setNumber(field("UID"), double(uid));
}

void TableModule::append() {
  table().append();
}

long TableModule::storeRecord(long uid, const std::function<void()>& fill) {
  if (uid != 0 && seekUid(uid)) {
    fill();
    table().flush();
  } else {
    if (uid == 0) uid = nextUid();
    appendStart(uid);
    fill();
    append();
  }
  platform::setProgramDirectory(platform::programDirectory());
  reopen();
  return uid;
}

void TableModule::deleteCurrent() {
  table().deleteRecord();
  ++deletions_;
}

long TableModule::number(std::string_view name) {
  return long(table().number(field(name)));
}
double TableModule::decimal(std::string_view name) {
  return table().number(field(name));
}
std::string TableModule::text(std::string_view name) {
  return platform::trim(table().text(field(name)));
}
std::string TableModule::memo(std::string_view name) {
  return table().memo(field(name));
}
void TableModule::setNumber(std::string_view name, double value) {
  table().setNumber(field(name), value);
}
void TableModule::setFittedNumber(std::string_view name, double value) {
  const int index = field(name);
  const int width = int(table().width(index));
  const int decimals = int(table().decimals(index));
  // Digits left for the whole part: the width less the point and decimals; one less for "-".
  const int wholeDigits = decimals > 0 ? width - decimals - 1 : width;
  const double scale = std::pow(10.0, decimals);
  const double largest = std::pow(10.0, wholeDigits) - 1 / scale;
  const double smallest = -(std::pow(10.0, wholeDigits - 1) - 1 / scale);
  if (!std::isfinite(value)) value = 0;
  value = std::round(value * scale) / scale;
  table().setNumber(index, std::clamp(value, smallest, largest));
}
void TableModule::setText(std::string_view name, std::string_view value) {
  table().setText(field(name), value);
}
void TableModule::setMemo(std::string_view name, std::string_view value) {
  table().setMemo(field(name), value);
}

}  // namespace savora::store
