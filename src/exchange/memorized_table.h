// The memorized replacements of imported units and ingredients: "ingredm" (ingredients),
// "unitm" (units) and "unitzel" (unit replacements the maker ships with an archive). A record
// keeps the imported name, the UID of the user's replacement (0 for none) and the info texts
// stored as "second~first".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "exchange/folded_names.h"
#include "store/table_module.h"

namespace savora::exchange {

inline constexpr const char* kIngredientMemory = "ingredm";
inline constexpr const char* kUnitMemory = "unitm";

struct Memorized {
  long uid = 0;
  std::string info1;
  std::string info2;
};

store::TableDefinition memorizedTableDefinition(const std::string& name);

class MemorizedTable : public store::TableModule {
 public:
  MemorizedTable(store::TableStore& store, const std::string& name)
      : TableModule(store, memorizedTableDefinition(name)), names_(*this, "NAME_TAG", "NAME") {}

  // The decision stored for the name (ignoring case), or nothing.
  std::optional<Memorized> find(std::string_view name);
  // Overwrites the record of that name, or appends one.
  void remember(std::string_view name, long uid, std::string_view info1 = "",
                std::string_view info2 = "");

 private:
  // Asked once per imported item: names are looked up in memory, not by walking the table.
  FoldedNames names_;
};

}  // namespace savora::exchange
