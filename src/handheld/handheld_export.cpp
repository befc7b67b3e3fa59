#include "handheld/handheld_export.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "planning/shopping_list.h"
#include "platform/file_ops.h"
#include "platform/process.h"
#include "recipe/recipe_line_text.h"

namespace savora::handheld {

namespace {

constexpr size_t kLineTextLength = 1500;
constexpr size_t kInstructionsLength = 29995;

std::string joined(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const char last = folder.back();
  return last == '/' || last == '\\' ? folder + name : folder + "/" + name;
}

// Quoted so a folder with blanks or quotes in its name stays one word of the command line.
using platform::quoted;

// Line feeds become "~", tabs and carriage returns blanks, so a record stays on one line.
std::string recordText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) out += c == '\n' ? '~' : (c == '\t' || c == '\r') ? ' ' : c;
  return out;
}

std::string rightTrimmed(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

const char* conduitFolderName(ConduitKind kind) {
  return kind == ConduitKind::Recipes ? "zelrecipes" : "zelslist";
}

}  // namespace

const HandheldUser* HandheldInstallation::user(std::string_view name) const {
  for (const HandheldUser& u : users)
    if (u.name == name) return &u;
  return nullptr;
}

std::optional<HandheldInstallation> probeHandheld(const std::string& dataFolder, const Wait& wait) {
  const std::string answer = joined(dataFolder, kProbeAnswer);
  // An old answer would be taken for the handheld's.
  if (!platform::deleteIfPresent(answer)) return std::nullopt;
  if (!platform::startProgram(quoted(joined(dataFolder, kProbeProgram)), dataFolder))
    return std::nullopt;
  for (const int seconds : {1, 1, 3}) {
    wait(seconds);
    if (platform::fileExists(answer)) break;
  }
  const auto text = platform::readWholeFile(answer);
  if (!text) return std::nullopt;

  HandheldInstallation installation;
  size_t start = 0;
  bool first = true;
  while (start < text->size()) {
    size_t end = text->find('\n', start);
    if (end == std::string::npos) end = text->size();
    std::string line = text->substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    start = end + 1;
    if (first) {
      installation.desktopFolder = line;
      first = false;
      continue;
    }
    const size_t tab = line.find('\t');
    if (tab == std::string::npos || tab == 0) continue;
    installation.users.push_back({line.substr(0, tab), line.substr(tab + 1)});
  }
  if (first || installation.desktopFolder == "-1" || installation.desktopFolder.empty())
    return std::nullopt;
  return installation;
}

Wait probeAnswerWait(const std::string& dataFolder) {
  const std::string answer = joined(dataFolder, kProbeAnswer);
  // The probe may still be writing when its file appears: the answer counts once it holds a
  // whole line and stopped growing.
  return [answer](int seconds) {
    using namespace std::chrono;
    const auto until = steady_clock::now() + std::chrono::seconds(seconds);
    std::optional<std::string> last;
    while (steady_clock::now() < until) {
      std::this_thread::sleep_for(milliseconds(25));
      const auto now = platform::readWholeFile(answer);
      if (now && last && *now == *last && now->find('\n') != std::string::npos) return;
      last = now;
    }
  };
}

std::string conduitFolder(const HandheldInstallation& installation, const HandheldUser& user,
                          ConduitKind kind) {
  return joined(joined(installation.desktopFolder, user.folder), conduitFolderName(kind));
}

bool conduitInstalled(const HandheldInstallation& installation, const HandheldUser& user,
                      ConduitKind kind) {
  return platform::isFolder(conduitFolder(installation, user, kind));
}

std::string conduitInstallerCommand(const std::string& dataFolder, ConduitKind kind) {
  const bool recipes = kind == ConduitKind::Recipes;
  return quoted(joined(dataFolder, "zelci.exe")) + (recipes ? " 2 " : " 1 ") +
         quoted(joined(dataFolder, recipes ? "zelrecip.dll" : "zelslcon.dll"));
}

std::string handheldInstallerCommand(const std::string& dataFolder, const std::string& userName,
                                     ConduitKind kind) {
  std::string name = userName;
  std::replace(name.begin(), name.end(), ' ', '~');
  return quoted(joined(dataFolder, "zelpalmi.exe")) + " " + name + " " +
         quoted(joined(dataFolder, kind == ConduitKind::Recipes ? "zelrecip.prc" : "zelshopp.prc"));
}

bool installConduit(const HandheldInstallation& installation, const HandheldUser& user,
                    ConduitKind kind, const std::string& dataFolder) {
  // The installers' results are not known; the folder is what the export needs.
  platform::startProgram(conduitInstallerCommand(dataFolder, kind), installation.desktopFolder);
  const bool made = platform::makeFolder(conduitFolder(installation, user, kind));
  platform::startProgram(handheldInstallerCommand(dataFolder, user.name, kind),
                         installation.desktopFolder);
  return made;
}

std::string recipeConduitRecord(recipe::RecipeTables& tables, const store::Recipe& recipe) {
  const std::string name = recordText(recipe.name);
  std::string record = name + "\t" + name + "~~";
  for (store::RecipeLine line : recipe.lines) {
    const std::string text = rightTrimmed(recipe::lineText(tables, line, false, kLineTextLength));
    if (!text.empty()) record += recordText(text) + "~";
  }
  record += "~" + recordText(recipe.instructions.substr(0, kInstructionsLength)) + "\r\n";
  return record;
}

bool exportRecipes(recipe::RecipeTables& tables, const std::vector<store::Recipe>& recipes,
                   const std::string& dataFolder, const std::string& conduit, bool append) {
  std::string records;
  for (const store::Recipe& recipe : recipes) records += recipeConduitRecord(tables, recipe);
  const std::string built = joined(dataFolder, kRecipeFile);
  const bool written = append && platform::fileExists(built)
                           ? platform::appendToFile(built, records)
                           : platform::writeWholeFile(built, records);
  return written && platform::copyFile(built, joined(conduit, kRecipeFile));
}

std::string shoppingConduitText(const std::vector<planning::ShoppingRow>& rows) {
  std::string text;
  for (const planning::ShoppingRow& row : rows) {
    if (row.isNewItemRow() || row.haveIt) continue;
    if (row.isOwnItem()) {
      text += "0\t" + recordText(row.name) + "\t1\t150\t\r\n";
    } else if (row.item >= 0) {
      text += "0\t" + recordText(row.name) + " (" + recordText(row.amount) + ")\t1\t150\t\r\n";
    }
  }
  return text;
}

bool exportShoppingList(const std::vector<planning::ShoppingRow>& rows,
                        const std::string& conduit) {
  return platform::writeWholeFile(joined(conduit, kShoppingFile), shoppingConduitText(rows));
}

}  // namespace savora::handheld
