// The shape of the source tree: which folder may include which, and which files may use Qt.
//
// Folders stand in layers; a file may include its own layer and the layers below it, never one
// above. Qt is for the toolkit's Qt side and the window files (*_window, *_widget, and the
// program's start-up in app/program and app/main); the build enforces the same for the libraries
// (the logic library cannot even see Qt's headers), and this test names the offending line.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = fs::path(SAVORA_SOURCE_DIR) / "src";

// The folders from the bottom up: each has its own place, and a file may include its own folder
// and the folders below it, never one above.
const std::vector<std::string> kFolderOrder = {
    "platform",        // the operating system's calls
    "codes",           // the numbers windows and commands share
    "xbase",           // our table library
    "archive",         // our archive library
    "toolkit",         // windows built by name, events, the one door to the person
    "store",           // opening tables, the recipe table
    "food",            // units, quantities, ingredients, brands
    "usda",            // the USDA foods that fill brands
    "search",          // the recipe search
    "media",           // pictures, sounds and videos of a title
    "bookshelf",       // books, chapters and categories
    "recipe_formats",  // recipes as Meal-Master, MasterCook and web-page text
    "recipe",          // the recipe window and its edit buffer
    "nutrition",       // the analysis of a recipe's lines
    "print",           // print jobs, pages and labels
    "planning",        // menus, plans and shopping lists
    "exchange",        // the exchange-archive import
    "book_export",     // books out as archives and text
    "handheld",        // recipes and lists out to the handheld
    "online",          // mail and the update service
    "backup",          // backup and restore
    "app",             // start-up, the main window and every feature's registration
    "cli",             // the command-line companion
};

int placeOf(const std::string& folder) {
  const auto found = std::find(kFolderOrder.begin(), kFolderOrder.end(), folder);
  return found == kFolderOrder.end() ? -1 : static_cast<int>(found - kFolderOrder.begin());
}

// Toolkit files that logic includes or links; they must not pull Qt in.
const std::set<std::string> kQtFreeToolkitFiles = {
    "user.h",     "user.cpp",      "log_font.h",   "canvas.h",       "media_player.h",
    "ui_event.h", "window_spec.h", "type_ahead.h", "type_ahead.cpp", "event_codes.h"};

bool isSource(const fs::path& p) {
  const auto ext = p.extension();
  return ext == ".h" || ext == ".cpp";
}

std::vector<fs::path> sourceFiles() {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(kSource)) {
    if (entry.is_regular_file() && isSource(entry.path())) files.push_back(entry.path());
  }
  return files;
}

// The folder a file sits in directly under src/ ("xbase" for src/xbase/tool/main.cpp).
std::string topFolder(const fs::path& file) {
  return fs::relative(file, kSource).begin()->string();
}

// The project includes of a file, as written ("food/quantity.h").
std::vector<std::string> projectIncludes(const fs::path& file) {
  static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::vector<std::string> found;
  std::ifstream in(file);
  std::string line;
  std::smatch m;
  while (std::getline(in, line)) {
    if (std::regex_search(line, m, include)) found.push_back(m[1]);
  }
  return found;
}

bool includesQt(const fs::path& file, std::string& line) {
  static const std::regex qtInclude(R"(^\s*#\s*include\s*[<"](Q|qt|Qt)[A-Za-z/]*)");
  std::ifstream in(file);
  while (std::getline(in, line)) {
    if (std::regex_search(line, qtInclude)) return true;
  }
  return false;
}

bool mayUseQt(const fs::path& file) {
  const std::string folder = topFolder(file);
  const std::string stem = file.stem().string();
  if (folder == "toolkit") return !kQtFreeToolkitFiles.count(file.filename().string());
  if (folder == "platform" || folder == "xbase" || folder == "archive" || folder == "codes")
    return false;
  // The mail password's secret store is reached through QtKeychain, a Qt library.
  if (folder == "online" && stem == "keychain_password_store") return true;
  return stem.ends_with("_window") || stem.ends_with("_widget") ||
         (folder == "app" && (stem == "main" || stem == "program")) ||
         (folder == "cli" && stem == "main");
}

TEST(LayeringTest, EveryFolderHasALayer) {
  for (const auto& entry : fs::directory_iterator(kSource)) {
    if (entry.is_directory()) {
      EXPECT_GE(placeOf(entry.path().filename().string()), 0)
          << entry.path().filename() << " is a new folder: give it its place here";
    }
  }
}

TEST(LayeringTest, NoIncludeRunsFromALowerLayerUp) {
  int upward = 0, checked = 0;
  for (const auto& file : sourceFiles()) {
    const std::string folder = topFolder(file);
    if (placeOf(folder) < 0) continue;
    for (const auto& include : projectIncludes(file)) {
      const std::string target = include.substr(0, include.find('/'));
      if (include.find('/') == std::string::npos || placeOf(target) < 0) continue;
      ++checked;
      if (placeOf(target) > placeOf(folder)) {
        ++upward;
        ADD_FAILURE() << fs::relative(file, kSource) << " includes " << include << " from above";
      }
    }
  }
  EXPECT_EQ(upward, 0);
  EXPECT_GT(checked, 300);
}

using FolderGraph = std::map<std::string, std::set<std::string>>;

// Which folders each folder's files include.
FolderGraph folderIncludes() {
  FolderGraph graph;
  for (const auto& file : sourceFiles()) {
    const std::string folder = topFolder(file);
    for (const auto& include : projectIncludes(file)) {
      if (include.find('/') == std::string::npos) continue;
      const std::string target = include.substr(0, include.find('/'));
      if (target != folder && fs::is_directory(kSource / target)) graph[folder].insert(target);
    }
  }
  return graph;
}

// A cycle of folders, each including the next and the last the first; empty when there is none.
std::vector<std::string> findCycle(const FolderGraph& graph) {
  std::map<std::string, int> state;  // 1: on the current path, 2: done
  std::vector<std::string> path;
  std::vector<std::string> cycle;
  std::function<bool(const std::string&)> visit = [&](const std::string& folder) {
    state[folder] = 1;
    path.push_back(folder);
    if (const auto found = graph.find(folder); found != graph.end()) {
      for (const auto& next : found->second) {
        if (state[next] == 1) {
          cycle.assign(std::find(path.begin(), path.end(), next), path.end());
          return true;
        }
        if (state[next] == 0 && visit(next)) return true;
      }
    }
    path.pop_back();
    state[folder] = 2;
    return false;
  };
  for (const auto& [folder, targets] : graph) {
    if (state[folder] == 0 && visit(folder)) return cycle;
  }
  return {};
}

std::string joined(const std::vector<std::string>& folders) {
  std::string text;
  for (const auto& folder : folders) text += folder + " -> ";
  return folders.empty() ? text : text + folders.front();
}

TEST(LayeringTest, NoFolderIncludesItselfThroughOthers) {
  const FolderGraph graph = folderIncludes();
  EXPECT_GT(graph.size(), 15u);
  const std::vector<std::string> cycle = findCycle(graph);
  EXPECT_TRUE(cycle.empty()) << "folder cycle: " << joined(cycle);
}

// Pairs of files that include each other today, each for a reason; a new pair is a cycle to
// break (or a reason to add here).
const std::set<std::pair<std::string, std::string>> kKnownPairs = {
    // A book's removal cascades into its chapters; a chapter names its book.
    {"bookshelf/book_table", "bookshelf/chapter_table"},
    // An ingredient's removal cascades into its brands; a brand converts through its ingredient.
    {"food/brand_table", "food/ingredient_table"},
    // Unit names are read from the unit table; the table stores names in their settings.
    {"food/unit_names", "food/unit_table"},
    // The toolkit's window core: windows post through the event manager and are dispatched by
    // the window manager; lists and typed keys are parts of a window.
    {"toolkit/event_manager", "toolkit/window_manager"},
    {"toolkit/typed_keys", "toolkit/uiw_window"},
    {"toolkit/uiw_lists", "toolkit/uiw_window"},
    {"toolkit/uiw_window", "toolkit/window_manager"},
    // An index file and the tree of one tag over its pages.
    {"xbase/cdx_file", "xbase/cdx_tree"},
};

// Two files of which each includes the other's header are one job split in two, or a cycle.
TEST(LayeringTest, NoNewPairOfFilesIncludesEachOther) {
  std::map<std::string, std::set<std::string>> includesOf;  // "toolkit/uiw_mdiframe" -> headers
  for (const auto& file : sourceFiles()) {
    const fs::path relative = fs::relative(file, kSource);
    const std::string module = (relative.parent_path() / relative.stem()).string();
    for (const auto& include : projectIncludes(file)) {
      const fs::path target = fs::path(include);
      const std::string other = (target.parent_path() / target.stem()).string();
      if (other != module) includesOf[module].insert(other);
    }
  }
  for (const auto& [module, others] : includesOf) {
    for (const auto& other : others) {
      if (module < other && includesOf[other].count(module) &&
          !kKnownPairs.count({module, other})) {
        ADD_FAILURE() << module << " and " << other << " include each other";
      }
    }
  }
}

TEST(LayeringTest, OnlyWindowFilesAndTheToolkitsQtSideIncludeQt) {
  int checked = 0;
  for (const auto& file : sourceFiles()) {
    ++checked;
    std::string line;
    if (!mayUseQt(file) && includesQt(file, line)) {
      ADD_FAILURE() << fs::relative(file, kSource) << " includes Qt: " << line;
    }
  }
  EXPECT_GT(checked, 100);
}

TEST(LayeringTest, TheChecksRecogniseWhatTheyLookFor) {
  const fs::path probe = fs::temp_directory_path() / "savora_probe_logic.cpp";
  std::ofstream(probe) << "#include <string>\n  #  include <QtWidgets/QWidget>\n"
                       << "#include \"food/quantity.h\"\n";
  std::string line;
  EXPECT_TRUE(includesQt(probe, line));
  EXPECT_EQ(line, "  #  include <QtWidgets/QWidget>");
  EXPECT_EQ(projectIncludes(probe), std::vector<std::string>{"food/quantity.h"});
  std::ofstream(probe) << "#include \"platform/file.h\"\n// #include <QString> mentioned only\n";
  EXPECT_FALSE(includesQt(probe, line));
  fs::remove(probe);

  EXPECT_FALSE(mayUseQt(kSource / "xbase" / "table_window.cpp"));
  EXPECT_FALSE(mayUseQt(kSource / "food" / "units.cpp"));
  EXPECT_TRUE(mayUseQt(kSource / "food" / "unit_information_window.cpp"));
  EXPECT_FALSE(mayUseQt(kSource / "toolkit" / "user.h"));
  EXPECT_EQ(topFolder(kSource / "xbase" / "tool" / "main.cpp"), "xbase");

  EXPECT_EQ(joined(findCycle({{"food", {"store", "usda"}}, {"usda", {"food"}}})),
            "food -> usda -> food");
  EXPECT_EQ(joined(findCycle({{"a", {"b"}}, {"b", {"c"}}, {"c", {"a"}}})), "a -> b -> c -> a");
  EXPECT_TRUE(findCycle({{"recipe", {"food", "store"}}, {"food", {"store"}}}).empty());
}

}  // namespace
