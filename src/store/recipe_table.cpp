#include "store/recipe_table.h"

#include <map>
#include <vector>

#include "platform/file_ops.h"
#include "platform/program_dirs.h"
#include "platform/text.h"
#include "store/media_list.h"

namespace savora::store {
namespace {

using platform::formatText;

constexpr const char* kChapterTag = "CHAP_TAG";

// The name of a line's field ("UNIT%d" of line 3 is "UNIT3"), made once: a recipe's load and
// save name 115 of them.
const std::string& lineField(const std::string& pattern, int line) {
  static const auto names = [] {
    std::map<std::string, std::vector<std::string>> made;
    for (const char* each : {"QUAN%d", "UNIT%d", "INGR%d", "1INFO%d", "2INFO%d", "INFO%d"})
      for (int i = 1; i <= kRecipeLines; ++i) made[each].push_back(formatText(each, i));
    return made;
  }();
  return names.at(pattern)[size_t(line - 1)];
}

}  // namespace

TableDefinition recipeTableDefinition(const std::string& name, RecipeFormat format) {
  using xbase::FieldSpec;
  TableDefinition def;
  def.name = name;
  def.packAfterDeletions = 20;
  def.packText = "Compressing Recipe Data...Please Wait (this may take several minutes).";
  def.fields = {{"UID", 'N', 5, 0}, {"CHAP_UID", 'N', 5, 0}, {"NAME", 'C', 80, 0}};
  def.fields.push_back(format == RecipeFormat::Oldest ? FieldSpec{"DESCRIP", 'C', 150, 0}
                                                      : FieldSpec{"DESCRIP", 'M', 4, 0});
  def.fields.push_back({"INSTRUC", 'M', 4, 0});
  def.fields.push_back({"SERVE", 'N', uint32_t(kServingsDigits), 0});
  def.fields.push_back(format == RecipeFormat::Current ? FieldSpec{"MEDIA", 'M', 4, 0}
                                                       : FieldSpec{"BITMAP", 'C', 260, 0});
  for (int i = 1; i <= kRecipeLines; ++i) {
    def.fields.push_back({lineField("QUAN%d", i), 'C', 20, 0});
    def.fields.push_back({lineField("UNIT%d", i), 'N', 5, 0});
    if (format == RecipeFormat::Current) {
      def.fields.push_back({lineField("1INFO%d", i), 'M', 4, 0});
      def.fields.push_back({lineField("INGR%d", i), 'N', 5, 0});
      def.fields.push_back({lineField("2INFO%d", i), 'M', 4, 0});
    } else {
      def.fields.push_back({lineField("INGR%d", i), 'N', 5, 0});
      def.fields.push_back({lineField("INFO%d", i), 'M', 4, 0});
    }
  }
  def.tags = {{kUidTag, "UID", kNotDeleted, false, false},
              {kChapterTag, "CHAP_UID", kNotDeleted, false, false},
              {"NAME_TAG", "NAME", kNotDeleted, false, false}};
  return def;
}

RecipeTable::RecipeTable(TableStore& store, const std::string& name, RecipeFormat format)
    : TableModule(store, recipeTableDefinition(name, format)), format_(format) {}

void RecipeTable::open() {
  TableModule::open();
  if (isOpen() && !table().readOnly()) repairIdentifiers();
}

void RecipeTable::repairIdentifiers() {
  // Walk UID_TAG order first and change afterwards: a changed UID moves its record in the tag.
  std::vector<std::pair<uint32_t, long>> records;  // record number, identifier
  for (bool on = TableModule::first(kUidTag); on; on = TableModule::next()) {
    records.emplace_back(table().recordNumber(), number("UID"));
  }
  long nextId = records.empty() ? 1 : records.back().second + 1;
  long previous = 0;
  for (const auto& [record, uid] : records) {
    if (uid == previous) {
      table().go(record);
      setNumber("UID", double(nextId++));
      table().flush();
    } else {
      previous = uid;
    }
  }
}

std::optional<std::string> RecipeTable::first(long chapter) {
  if (!isOpen()) return std::nullopt;
  xbase::Table& t = table();
  if (!t.selectTag(kChapterTag)) return std::nullopt;
  bool on = chapter == 0 ? t.top() : t.seek(double(chapter)) != xbase::SeekResult::End;
  while (on && t.deleted()) on = t.skip(1);
  if (!on) return std::nullopt;
  return text("NAME");
}

std::optional<std::string> RecipeTable::next() {
  if (!TableModule::next()) return std::nullopt;
  return text("NAME");
}

long RecipeTable::uidOfCurrent() {
  return number("UID");
}
long RecipeTable::chapterOfCurrent() {
  return number("CHAP_UID");
}

long RecipeTable::find(std::string_view name, long chapter) {
  const std::string wanted = platform::trim(name);
  for (auto current = first(chapter); current && chapterOfCurrent() == chapter; current = next()) {
    if (platform::equalsIgnoreCase(*current, wanted)) return uidOfCurrent();
  }
  return 0;
}

long RecipeTable::load(long uid, Recipe& recipe) {
  if (uid == 0 || !seek(uid)) return 0;
  Recipe loaded;
  loaded.uid = number("UID");
  loaded.chapter = number("CHAP_UID");
  loaded.name = text("NAME").substr(0, kRecipeNameLength);
  loaded.description =
      platform::trim(format_ == RecipeFormat::Oldest ? text("DESCRIP") : memo("DESCRIP"));
  loaded.instructions = platform::trim(memo("INSTRUC"));
  loaded.servings = number("SERVE");
  loaded.media = format_ == RecipeFormat::Current ? splitMedia(platform::trim(memo("MEDIA")))
                                                  : readMediaList(text("BITMAP"));
  for (int i = 1; i <= kRecipeLines; ++i) {
    RecipeLine& line = loaded.lines[size_t(i - 1)];
    line.quantity = text(lineField("QUAN%d", i)).substr(0, kQuantityLength);
    line.unit = number(lineField("UNIT%d", i));
    line.ingredient = number(lineField("INGR%d", i));
    if (format_ == RecipeFormat::Current) {
      line.info1 = memo(lineField("1INFO%d", i));
      line.info2 = memo(lineField("2INFO%d", i));
    } else {
      line.info2 = memo(lineField("INFO%d", i));
    }
  }
  recipe = std::move(loaded);
  return recipe.chapter;
}

void RecipeTable::writeFields(long chapter, const Recipe& recipe) {
  setNumber("CHAP_UID", double(chapter));
  setText("NAME", recipe.name.substr(0, kRecipeNameLength));
  if (format_ == RecipeFormat::Oldest) {
    setText("DESCRIP", recipe.description);
  } else {
    setMemo("DESCRIP", recipe.description);
  }
  setMemo("INSTRUC", recipe.instructions);
  setNumber("SERVE", double(recipe.servings));
  if (format_ == RecipeFormat::Current) setMemo("MEDIA", joinMedia(recipe.media));
  for (int i = 1; i <= kRecipeLines; ++i) {
    const RecipeLine& line = recipe.lines[size_t(i - 1)];
    setText(lineField("QUAN%d", i), line.quantity.substr(0, kQuantityLength));
    setNumber(lineField("UNIT%d", i), double(line.unit));
    setNumber(lineField("INGR%d", i), double(line.ingredient));
    if (format_ == RecipeFormat::Current) {
      setMemo(lineField("1INFO%d", i), line.info1);
      setMemo(lineField("2INFO%d", i), line.info2);
    } else {
      setMemo(lineField("INFO%d", i), line.info2);
    }
  }
}

long RecipeTable::save(long uid, long chapter, const Recipe& recipe, bool reopenAfter) {
  long saved = uid;
  if (uid != 0 && seek(uid)) {
    writeFields(chapter, recipe);
    table().flush();
    if (changed) changed(uid);
  } else {
    if (uid == 0) {
      store().countRecipeAdded();
      saved = upgradeUid_ ? *upgradeUid_ : nextUid();
    }
    appendStart(saved);
    writeFields(chapter, recipe);
    append();
  }
  if (reopenAfter) reopen();
  return saved;
}

void RecipeTable::remove(long uid) {
  if (!seek(uid)) return;
  deleteCurrent();
  if (removeFromMenus) removeFromMenus(uid);
  const long code = uid + kRecipeCodeBase;
  rewriteLines([code](long&, long& ingredient) {
    if (ingredient != code) return false;
    ingredient = 0;
    return true;
  });
  if (removeFromCategories) removeFromCategories(uid);
  if (changed) changed(uid);
}

void RecipeTable::rewriteLines(const std::function<bool(long& unit, long& ingredient)>& change) {
  xbase::Table& t = table();
  t.selectTag("");  // record order: rewriting never moves a record
  for (bool on = t.top(); on; on = t.skip(1)) {
    if (t.deleted()) continue;
    bool changed = false;
    for (int i = 1; i <= kRecipeLines; ++i) {
      const std::string &unitField = lineField("UNIT%d", i),
                        &ingredientField = lineField("INGR%d", i);
      long unit = number(unitField), ingredient = number(ingredientField);
      if (!change(unit, ingredient)) continue;
      setNumber(unitField, double(unit));
      setNumber(ingredientField, double(ingredient));
      changed = true;
    }
    if (changed) t.flush();
  }
}

void RecipeTable::replaceUnit(long oldUid, long newUid) {
  rewriteLines([=](long& unit, long&) {
    if (unit != oldUid) return false;
    unit = newUid;
    return true;
  });
}

void RecipeTable::replaceFood(long oldUid, long newUid) {
  replaceIngredientCode(oldUid, newUid);
}

void RecipeTable::replaceBrand(long oldUid, long newUid) {
  replaceIngredientCode(oldUid + kBrandCodeBase, newUid + kBrandCodeBase);
}

void RecipeTable::replaceIngredientCode(long oldCode, long newCode) {
  rewriteLines([=](long&, long& ingredient) {
    if (ingredient != oldCode) return false;
    ingredient = newCode;
    return true;
  });
}

std::string RecipeTable::nameOf(long uid) {
  return seek(uid) ? text("NAME") : std::string();
}

}  // namespace savora::store
