// Choosing the package size of a product for a needed amount: among the brands of the same
// ingredient (same product name unless told otherwise), the package that holds the amount best.
#pragma once

#include "food/unit_conversion.h"

namespace savora::food {

class BrandTable;

struct PackageSwitches {
  bool preferOne = false;      // the package closest to exactly one wins
  bool takeAnyName = false;    // brands of any name are considered, not only the given product
  bool takeDivisible = false;  // the first divisible package is taken at once
  bool ignoreName = false;     // every considered package is weighed, whatever its name
};

struct PackageNeed {
  double amount = 0;  // in `unit`; becomes the amount in the chosen package's unit
  long unit = 0;
  long brand = 0;  // the given brand; becomes the chosen one
};

// Chooses a package for the need. When one is chosen, `need` is rewritten to that brand with
// the amount in its package unit and returns true; otherwise `need` stays as given.
bool choosePackage(ConversionList& units, BrandTable& brands, PackageNeed& need,
                   PackageSwitches switches = {});

}  // namespace savora::food
