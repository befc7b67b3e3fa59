#include "exchange/memorized_table.h"

namespace savora::exchange {
namespace {

constexpr const char* kNameTag = "NAME_TAG";

}  // namespace

store::TableDefinition memorizedTableDefinition(const std::string& name) {
  store::TableDefinition def;
  def.name = name;
  def.fields = {{"UID", 'N', 5, 0}, {"NAME", 'C', 46, 0}, {"INFO", 'C', 159, 0}};
  def.tags = {{store::kUidTag, "UID", store::kNotDeleted, false, false},
              {kNameTag, "NAME", store::kNotDeleted, false, false}};
  return def;
}

std::optional<Memorized> MemorizedTable::find(std::string_view name) {
  if (!names_.find(name)) return std::nullopt;
  Memorized found;
  found.uid = number("UID");
  const std::string info = text("INFO");
  const size_t mark = info.find('~');
  found.info2 = info.substr(0, mark);
  if (mark != std::string::npos) found.info1 = info.substr(mark + 1);
  return found;
}

void MemorizedTable::remember(std::string_view name, long uid, std::string_view info1,
                              std::string_view info2) {
  const auto fill = [&] {
    setNumber("UID", double(uid));
    setText("NAME", name.substr(0, 46));
    std::string info = std::string(info2) + "~" + std::string(info1);
    setText("INFO", info.substr(0, 159));
  };
  if (names_.find(name)) {
    fill();
    table().flush();
    return;
  }
  appendStart(uid);
  fill();
  append();
  names_.appended(name.substr(0, 46));
}

}  // namespace savora::exchange
