// What both sides of xbase_bench store: one recipe-like record per UID, and the temporary
// folder their tables live in (removed at exit).
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "platform/text.h"

namespace bench {

struct Recipe {
  int uid;
  int chapter;
  std::string name;
  double kcal;
  int serves;
  int minutes;
  std::string notes;
};

inline Recipe recipeOf(int uid) {
  return Recipe{uid % 100000,
                1 + (uid * 31) % 97,
                savora::platform::formatText("Recipe %05d with a name of usual length",
                                             (uid * 7919) % 100000),
                (uid % 9000) / 10.0,
                uid % 12,
                uid % 240,
                savora::platform::formatText("Step one for recipe %d.\r\nStep two.", uid)};
}

struct Folder {
  std::filesystem::path path;
  Folder() {
    char pattern[] = "/tmp/xbase-bench-XXXXXX";
    path = ::mkdtemp(pattern);
  }
  ~Folder() { std::filesystem::remove_all(path); }
};

inline Folder& folder() {
  static Folder f;
  return f;
}

}  // namespace bench
