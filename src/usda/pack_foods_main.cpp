// savora99-pack-foods SOURCE_FOLDER OUTPUT: packs the USDA text files of a folder into the
// FOODS.DAT the program reads (run by the build).
#include <cstdio>
#include <string>

#include "platform/file_ops.h"
#include "usda/food_pack.h"
#include "usda/usda_source.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SOURCE_FOLDER OUTPUT\n", argv[0]);
    return 2;
  }
  std::string folder = argv[1];
  if (!folder.empty() && folder.back() != '/') folder += '/';
  const auto foods = savora::usda::readSourceFolder(folder);
  if (!foods || foods->empty()) {
    std::fprintf(stderr, "%s: cannot read the food files in %s\n", argv[0], folder.c_str());
    return 1;
  }
  if (!savora::platform::writeWholeFile(argv[2], savora::usda::packFoods(*foods))) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[2]);
    return 1;
  }
  return 0;
}
