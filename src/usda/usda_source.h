// Reading the database's three text files (ABBREV, FOOD_DES, WEIGHT): "^"-separated fields, text
// in "~", CR LF line ends, an empty number meaning "no value".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "usda/usda_food.h"

namespace savora::usda {

// The fields of one record line, "~" taken off the text fields.
std::vector<std::string> sourceFields(std::string_view line);

// The foods of the three files' texts, in NDB_No order: values from ABBREV, description, group
// and survey flag from FOOD_DES, measures from WEIGHT. Foods missing from ABBREV are left out.
std::vector<Food> foodsFromSource(std::string_view abbrev, std::string_view descriptions,
                                  std::string_view weights);

// The same from the files in `folder` (ending with '/'); nothing when one cannot be read.
std::optional<std::vector<Food>> readSourceFolder(const std::string& folder);

}  // namespace savora::usda
