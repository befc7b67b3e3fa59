#include "test_tables.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "platform/text.h"

namespace savora::xbase::testing {

std::vector<FieldSpec> recipeFields() {
  return {{"UID", 'N', 5, 0},    {"CHAP_UID", 'N', 5, 0}, {"NAME", 'C', 80, 0}, {"KCAL", 'N', 8, 1},
          {"SERVES", 'N', 3, 0}, {"BITMAP", 'C', 260, 0}, {"NOTES", 'M', 10, 0}};
}

std::vector<TagSpec> recipeTags() {
  return {{"UID", "UID", ".NOT. DELETED()", false, false},
          {"CHAPNAME", "STR(CHAP_UID,5)+NAME", ".NOT. DELETED()", false, false},
          {"NAME", "UPPER(NAME)", ".NOT. DELETED()", false, false}};
}

std::unique_ptr<Table> createRecipes(const std::string& base) {
  return Table::create(base, recipeFields(), recipeTags());
}

std::string recipeName(int uid) {
  static const char* const kWords[] = {"Soup", "Pie", "Stew", "Salad", "Tart", "Bread", "Cake"};
  return platform::formatText("%s %05d %s", kWords[uid % 7], (uid * 7919) % 100000,
                              kWords[(uid * 3) % 7]);
}

int recipeChapter(int uid) {
  return 1 + (uid * 31) % 17;
}

std::string recipeNotes(int uid) {
  if (uid % 5 == 0) return "";
  return platform::formatText("Notes of recipe %d.\r\n", uid) + std::string(size_t(uid % 300), 'x');
}

void appendRecipe(Table& table, int uid) {
  table.appendStart();
  table.setNumber(table.fieldIndex("UID"), uid);
  table.setNumber(table.fieldIndex("CHAP_UID"), recipeChapter(uid));
  table.setText(table.fieldIndex("NAME"), recipeName(uid));
  table.setText(table.fieldIndex("KCAL"), platform::formatText("%d.%d", uid % 900, uid % 10));
  table.setNumber(table.fieldIndex("SERVES"), uid % 12);
  table.setText(table.fieldIndex("BITMAP"), std::string(250, 'b') + std::to_string(uid));
  table.setMemo(table.fieldIndex("NOTES"), recipeNotes(uid));
  table.append();
}

std::string recipeMismatch(Table& table, int uid) {
  if (table.eof()) return "at end of file";
  if (table.number(table.fieldIndex("UID")) != uid)
    return "UID is " + table.text(table.fieldIndex("UID"));
  if (table.number(table.fieldIndex("CHAP_UID")) != recipeChapter(uid)) return "CHAP_UID differs";
  if (table.text(table.fieldIndex("NAME")) != recipeName(uid))
    return "NAME is \"" + table.text(table.fieldIndex("NAME")) + "\"";
  if (table.text(table.fieldIndex("BITMAP")) != std::string(250, 'b') + std::to_string(uid))
    return "BITMAP differs";
  if (table.memo(table.fieldIndex("NOTES")) != recipeNotes(uid)) return "NOTES differs";
  return "";
}

int runCommand(const std::string& command, std::string& output) {
  output.clear();
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, n);
  const int status = ::pclose(pipe);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string dataDir() {
  return std::string(SAVORA_XBASE_DATA) + "/";
}

std::string sharedDir() {
  const std::string dir = SAVORA_SHARED_DIR;
  return std::filesystem::is_directory(dir) ? dir : std::string();
}

}  // namespace savora::xbase::testing
