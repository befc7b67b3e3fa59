#include "exchange/menu_merge.h"

#include <map>
#include <string>
#include <vector>

#include "exchange/shelf_pass.h"

namespace savora::exchange {
namespace {

struct ExchangeMenu {
  std::string name;
  std::string media;
  std::vector<planning::ListItem> entries;
};

}  // namespace

void mergeMenus(store::TableStore& store, planning::WeekTable& menus,
                const std::function<std::optional<long>(long)>& newUidOf) {
  store::TableDefinition definition = planning::weekTableDefinition();
  definition.name = "weekx";
  store::TableModule weeks(store, definition);
  weeks.open();
  std::vector<long> order;
  std::map<long, ExchangeMenu> byUid;
  for (bool on = weeks.first(store::kUidTag); on; on = weeks.next()) {
    const long uid = weeks.number("UID");
    if (!byUid.count(uid)) order.push_back(uid);
    ExchangeMenu& menu = byUid[uid];
    const std::string name = weeks.text("NAME");
    const long reference = weeks.number("RECIPE_UID");
    if (!name.empty() && name.front() == planning::kMediaMark) {
      menu.media = name.substr(1);
    } else if (reference == -1) {
      menu.name = name;
    } else {
      menu.entries.push_back({int(weeks.number("DAY")), reference});
    }
  }
  weeks.close();

  for (long uid : order) {
    const ExchangeMenu& menu = byUid[uid];
    if (!planning::isListName(menu.name) || menus.uidOf(menu.name) >= 0) continue;
    const long newMenu = menus.create(menu.name);
    std::vector<planning::ListItem> entries;
    for (const planning::ListItem& entry : menu.entries) {
      const std::optional<long> recipe = newUidOf(entry.reference);
      if (recipe && *recipe > 0) entries.push_back({entry.slot, *recipe});
    }
    if (!entries.empty()) menus.replaceEntries(newMenu, entries);
    const std::string media = rehomeMediaList(menu.media);
    if (!media.empty()) menus.setMedia(newMenu, media);
  }
}

}  // namespace savora::exchange
