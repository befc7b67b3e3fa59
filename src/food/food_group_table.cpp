#include "food/food_group_table.h"

#include "platform/text.h"

namespace savora::food {
namespace {

constexpr const char* kNameTag = "NAME_TAG";
constexpr const char* kOrderTag = "ORDER_TAG";
constexpr size_t kNameWidth = 80;

}  // namespace

store::TableDefinition foodGroupTableDefinition() {
  store::TableDefinition def;
  def.name = "cat";
  def.fields = {{"UID", 'N', 5, 0},
                {"NAME", 'C', kNameWidth, 0},
                {"ORDER", 'N', 5, 0},
                {"PERISH", 'N', 1, 0}};
  def.tags = {{store::kUidTag, "UID", store::kNotDeleted, false, false},
              {kNameTag, "NAME", store::kNotDeleted, false, false},
              {kOrderTag, "ORDER", store::kNotDeleted, false, false}};
  def.packAfterDeletions = 0;  // any deletion
  def.packText = "Compressing Food Group Data...Please Wait.";
  return def;
}

FoodGroupTable::FoodGroupTable(store::TableStore& store)
    : TableModule(store, foodGroupTableDefinition()) {}

std::vector<FoodGroup> FoodGroupTable::groups() {
  std::vector<FoodGroup> out;
  for (bool on = first(kOrderTag); on; on = next()) {
    out.push_back({number("UID"), text("NAME"), number("ORDER"), number("PERISH") != 0});
  }
  return out;
}

bool FoodGroupTable::findByName(std::string_view name) {
  return findIgnoringCase(kNameTag, "NAME", name);
}

std::string FoodGroupTable::nameOf(long uid) {
  return seekUid(uid) ? text("NAME") : std::string();
}
long FoodGroupTable::uidOf(std::string_view name) {
  return findByName(name) ? number("UID") : 0;
}
long FoodGroupTable::orderOf(long uid) {
  return seekUid(uid) ? number("ORDER") : kMissingGroupOrder;
}
bool FoodGroupTable::perishableOf(long uid) {
  return seekUid(uid) && number("PERISH") != 0;
}

long FoodGroupTable::highest(const char* field, const char* tag) {
  xbase::Table& t = table();
  if (!t.selectTag(tag) || !t.bottom()) return 0;
  return number(field);
}

long FoodGroupTable::add(std::string_view name, bool perishable) {
  return addWithUid(nextUid(), name, perishable);
}

long FoodGroupTable::addWithUid(long uid, std::string_view name, bool perishable) {
  const long order = highest("ORDER", kOrderTag) + 1;
  appendStart(uid);
  setText("NAME", platform::trim(name).substr(0, kNameWidth));
  setNumber("ORDER", double(order));
  setNumber("PERISH", perishable ? 1 : 0);
  append();
  reopen();
  return uid;
}

bool FoodGroupTable::rename(std::string_view name, std::string_view newName, bool perishable) {
  if (!findByName(name)) return false;
  setText("NAME", platform::trim(newName).substr(0, kNameWidth));
  setNumber("PERISH", perishable ? 1 : 0);
  table().flush();
  return true;
}

bool FoodGroupTable::swapOrder(std::string_view firstName, std::string_view secondName) {
  if (!findByName(firstName)) return false;
  const uint32_t firstRecord = table().recordNumber();
  const long firstOrder = number("ORDER");
  if (!findByName(secondName)) return false;
  const long secondOrder = number("ORDER");
  setNumber("ORDER", double(firstOrder));
  table().flush();
  table().go(firstRecord);
  setNumber("ORDER", double(secondOrder));
  table().flush();
  return true;
}

bool FoodGroupTable::remove(std::string_view name, std::optional<std::string> replacement) {
  const long replacementUid = replacement ? uidOf(*replacement) : 0;
  if (!findByName(name)) return false;
  const long uid = number("UID");
  if (moveBrands) moveBrands(uid, replacementUid);
  if (!findByName(name)) return false;
  deleteCurrent();
  return true;
}

}  // namespace savora::food
