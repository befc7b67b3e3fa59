// The table library, the archive library, the platform layer, the toolkit's Qt-free interfaces
// and every logic file of the Parts must build without Qt: they are tested without a display and
// must stay that way. Window files (*_window.*) and the toolkit's Qt side may use Qt.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>

namespace {

namespace fs = std::filesystem;

const fs::path kSource = fs::path(SAVORA_SOURCE_DIR) / "src";

// Toolkit files that logic includes or links; they must not pull Qt in.
const std::set<std::string> kQtFreeToolkitHeaders = {
    "user.h",     "log_font.h",    "canvas.h",     "media_player.h", "event_codes.h",
    "ui_event.h", "window_spec.h", "type_ahead.h", "type_ahead.cpp"};

const std::set<std::string> kPartFolders = {"store",    "food",     "nutrition", "recipe",
                                            "planning", "exchange", "online",    "app"};

bool isSource(const fs::path& p) {
  const auto ext = p.extension();
  return ext == ".h" || ext == ".cpp" || ext == ".hpp" || ext == ".cc";
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
  const std::string folder = file.parent_path().filename().string();
  const std::string stem = file.stem().string();
  if (folder == "toolkit") return !kQtFreeToolkitHeaders.count(file.filename().string());
  if (!kPartFolders.count(folder)) return false;  // xbase, archive, platform
  return stem.ends_with("_window") || (folder == "app" && stem == "main");
}

TEST(ArchitectureTest, CoreLibrariesAndLogicIncludeNoQt) {
  int checked = 0;
  for (const auto& entry : fs::recursive_directory_iterator(kSource)) {
    if (!entry.is_regular_file() || !isSource(entry.path())) continue;
    ++checked;
    std::string line;
    if (!mayUseQt(entry.path()) && includesQt(entry.path(), line)) {
      ADD_FAILURE() << fs::relative(entry.path(), kSource) << " includes Qt: " << line;
    }
  }
  EXPECT_GT(checked, 10);
}

TEST(ArchitectureTest, TheCheckRecognisesQtIncludes) {
  const fs::path probe = fs::temp_directory_path() / "savora_probe_logic.cpp";
  std::ofstream(probe) << "#include <string>\n  #  include <QtWidgets/QWidget>\n";
  std::string line;
  EXPECT_TRUE(includesQt(probe, line));
  EXPECT_EQ(line, "  #  include <QtWidgets/QWidget>");
  std::ofstream(probe) << "#include \"platform/file.h\"\n// #include <QString> mentioned only\n";
  EXPECT_FALSE(includesQt(probe, line));
  fs::remove(probe);
  EXPECT_FALSE(mayUseQt(kSource / "xbase" / "table_window.cpp"));
  EXPECT_FALSE(mayUseQt(kSource / "food" / "units.cpp"));
  EXPECT_TRUE(mayUseQt(kSource / "food" / "unit_information_window.cpp"));
  EXPECT_FALSE(mayUseQt(kSource / "toolkit" / "user.h"));
}

}  // namespace
