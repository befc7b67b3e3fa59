// Handheld export with stand-in programs in a temporary data folder: the probe writes its
// answer, the installers record their command lines; the probe's waits poll instead of sleeping.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "../nutrition/nutrition_fixture.h"
#include "handheld/handheld_export.h"
#include "planning/shopping_list.h"

namespace savora::handheld {
namespace {

namespace fs = std::filesystem;

std::string contents(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Waits up to `seconds` for the file, looking every 10 ms.
bool waitForFile(const fs::path& path, int seconds) {
  for (int i = 0; i < seconds * 100; ++i) {
    if (fs::exists(path)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return fs::exists(path);
}

class HandheldExportTest : public nutrition::NutritionTest {
 protected:
  void SetUp() override {
    NutritionTest::SetUp();
    data = programDir.path() / "data";
    desktop = programDir.path() / "desktop";
    fs::create_directories(data);
    fs::create_directories(desktop / "SmithJ");
  }

  void script(const char* name, const std::string& body) {
    const fs::path path = data / name;
    std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
    fs::permissions(path, fs::perms::owner_all);
  }

  // The probe answers with the desktop folder and one user.
  void probeAnswers(const std::string& first) {
    script(kProbeProgram, "printf '%s\\nJohn Smith\\tSmithJ\\n' '" + first + "' > palmdata.txt");
  }

  Wait polling() {
    return [this](int seconds) {
      ++waits;
      // The program's own wait, longer than asked, so a slow machine does not fail the test; it
      // returns as soon as the whole answer is there.
      probeAnswerWait(data.string())(seconds * 10);
    };
  }

  fs::path data, desktop;
  int waits = 0;
};

TEST_F(HandheldExportTest, TheProbeFindsTheDesktopAndItsUsersOrNothing) {
  EXPECT_FALSE(probeHandheld(data.string(), polling()));
  EXPECT_EQ(waits, 0);  // no probe program: nothing started, nothing waited for
  EXPECT_FALSE(fs::exists(data / kProbeAnswer));

  probeAnswers("-1");
  EXPECT_FALSE(probeHandheld(data.string(), polling()));

  probeAnswers(desktop.string());
  const auto found = probeHandheld(data.string(), polling());
  ASSERT_TRUE(found);
  EXPECT_EQ(found->desktopFolder, desktop.string());
  ASSERT_EQ(found->users.size(), 1u);
  EXPECT_EQ(found->users[0].name, "John Smith");
  EXPECT_EQ(found->users[0].folder, "SmithJ");
  EXPECT_EQ(found->user("John Smith"), &found->users[0]);
  EXPECT_EQ(found->user("Jane"), nullptr);
}

TEST_F(HandheldExportTest, InstallingStartsBothInstallersAndMakesTheOneConduitFolder) {
  script("zelci.exe", "echo \"$@\" >> conduit.txt");
  script("zelpalmi.exe", "echo \"$@\" >> handheld.txt");
  const HandheldInstallation installation{desktop.string(), {{"John Smith", "SmithJ"}}};
  const HandheldUser& user = installation.users[0];
  EXPECT_FALSE(conduitInstalled(installation, user, ConduitKind::Recipes));
  ASSERT_TRUE(installConduit(installation, user, ConduitKind::Recipes, data.string()));
  EXPECT_TRUE(conduitInstalled(installation, user, ConduitKind::Recipes));
  EXPECT_TRUE(fs::is_directory(desktop / "SmithJ" / "zelrecipes"));
  ASSERT_TRUE(waitForFile(desktop / "conduit.txt", 5));
  ASSERT_TRUE(waitForFile(desktop / "handheld.txt", 5));
  // The recording may still be under way: wait for its line end.
  for (int i = 0; i < 500 && contents(desktop / "handheld.txt").find('\n') == std::string::npos;
       ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_EQ(contents(desktop / "conduit.txt"), "2 " + (data / "zelrecip.dll").string() + "\n");
  EXPECT_EQ(contents(desktop / "handheld.txt"),
            "John~Smith " + (data / "zelrecip.prc").string() + "\n");
  EXPECT_EQ(handheldInstallerCommand("/d/", "A B", ConduitKind::ShoppingList),
            "\"/d/zelpalmi.exe\" A~B \"/d/zelshopp.prc\"");
  EXPECT_EQ(conduitInstallerCommand("/d", ConduitKind::ShoppingList),
            "\"/d/zelci.exe\" 1 \"/d/zelslcon.dll\"");
}

TEST_F(HandheldExportTest, RecipesAreOneLineEachAndAppendWhenNotOverwriting) {
  const long rice = food("rice", "1", kCup, 100);
  store::Recipe first =
      loaded(saveRecipe("Rice\tBowl", 1, {line("2", kCup, rice)}, 0, "Boil.\r\nServe hot."));
  store::Recipe second = loaded(saveRecipe("Plain", 1, {}));
  EXPECT_EQ(recipeConduitRecord(tables, first),
            "Rice Bowl\tRice Bowl~~2 cups rice~~Boil. ~Serve hot.\r\n");

  const fs::path conduit = desktop / "SmithJ" / "zelrecipes";
  EXPECT_FALSE(exportRecipes(tables, {first}, data.string(), conduit.string(), false));
  fs::create_directories(conduit);
  ASSERT_TRUE(exportRecipes(tables, {first}, data.string(), conduit.string(), false));
  ASSERT_TRUE(exportRecipes(tables, {second}, data.string(), conduit.string(), true));
  EXPECT_EQ(contents(conduit / kRecipeFile),
            recipeConduitRecord(tables, first) + recipeConduitRecord(tables, second));
  ASSERT_TRUE(exportRecipes(tables, {second}, data.string(), conduit.string(), false));
  EXPECT_EQ(contents(conduit / kRecipeFile), recipeConduitRecord(tables, second));
}

TEST_F(HandheldExportTest, TheShoppingListSendsUntickedItemsAndOwnItems) {
  std::vector<planning::ShoppingRow> rows(4);
  rows[0].item = 0;
  rows[0].ingredient = 5;
  rows[0].name = "apples";
  rows[0].amount = "2 cups";
  rows[1].item = 1;
  rows[1].ingredient = 6;
  rows[1].name = "pears";
  rows[1].haveIt = true;
  rows[2].name = "film\tfor camera";
  rows[3].amount = planning::kNewItemText;
  EXPECT_EQ(shoppingConduitText(rows),
            "0\tapples (2 cups)\t1\t150\t\r\n0\tfilm for camera\t1\t150\t\r\n");
  const fs::path conduit = desktop / "SmithJ" / "zelslist";
  EXPECT_FALSE(exportShoppingList(rows, conduit.string()));
  fs::create_directories(conduit);
  ASSERT_TRUE(exportShoppingList(rows, conduit.string()));
  EXPECT_EQ(contents(conduit / kShoppingFile), shoppingConduitText(rows));
}

}  // namespace
}  // namespace savora::handheld
