#include "backup/restore_staging.h"

#include <map>

#include "platform/file_ops.h"
#include "platform/text.h"
#include "xbase/error.h"
#include "xbase/table.h"

namespace savora::backup {
namespace {

constexpr const char* kTableExtensions[] = {".dbf", ".fpt", ".cdx"};

const store::TableDefinition* definitionNamed(
    const std::vector<const store::TableDefinition*>& known, const std::string& name) {
  for (const store::TableDefinition* definition : known) {
    if (platform::equalsIgnoreCase(definition->name, name)) return definition;
  }
  return nullptr;
}

// The first field of the definition the table lacks or holds with another type; empty when none.
std::string missingField(const xbase::Table& table, const store::TableDefinition& definition) {
  for (const xbase::FieldSpec& spec : definition.fields) {
    const int index = table.fieldIndex(spec.name);
    if (index < 0 || table.fields()[size_t(index)].type != spec.type) return spec.name;
  }
  return {};
}

// Opens the staged table and reads all of it; throws xbase::Error naming what is wrong.
void proveTable(const std::string& path, const store::TableDefinition* definition) {
  xbase::OpenOptions options;
  options.verifyIndex = true;
  if (definition) {
    options.tags = definition->tags;
  } else {
    options.readOnly = true;
  }
  std::unique_ptr<xbase::Table> table = xbase::Table::open(path, options);
  if (!table) xbase::raise("%s.dbf cannot be read", path.c_str());
  if (definition) {
    if (const std::string field = missingField(*table, *definition); !field.empty())
      xbase::raise("it has no field %s of the kind the program reads", field.c_str());
  }
  std::vector<int> memos;
  for (size_t i = 0; i < table->fields().size(); ++i) {
    const char type = table->fields()[i].type;
    if (type == 'M' || type == 'G' || type == 'W') memos.push_back(int(i));
  }
  table->selectTag("");
  for (bool on = table->top(); on; on = table->skip(1)) {
    for (int field : memos) table->memo(field);
  }
  table->close();
}

}  // namespace

std::string tableNameOf(const std::string& fileName) {
  return platform::toLower(fileName.substr(0, fileName.size() - 4));
}

bool isTableFileName(const std::string& name) {
  const std::string lower = platform::toLower(name);
  for (const char* extension : kTableExtensions) {
    if (lower.size() > 4 && lower.ends_with(extension)) return true;
  }
  return false;
}

StagingResult proveStagedTables(const std::string& folder,
                                const std::vector<const store::TableDefinition*>& known) {
  StagingResult result;
  std::map<std::string, bool> tables;  // lower-case name -> has its .dbf
  for (const platform::FolderEntry& entry : platform::listFolder(folder + "\\*.*")) {
    if (entry.isFolder || !isTableFileName(entry.name)) continue;
    const std::string name = tableNameOf(entry.name);
    tables[name] = tables[name] || platform::toLower(entry.name).ends_with(".dbf");
  }
  if (tables.empty()) {
    result.problem = "The backup holds no data files.";
    return result;
  }
  for (const auto& [name, hasData] : tables) {
    if (!hasData) {
      result.problem = platform::formatText("%s: its data file (%s.dbf) is missing.", name.c_str(),
                                            name.c_str());
      break;
    }
    try {
      proveTable(folder + "\\" + name, definitionNamed(known, name));
    } catch (const xbase::Error& error) {
      result.problem = name + ": " + error.what();
      break;
    }
  }
  // Closed tables keep their files open; the staged files are about to move or go.
  xbase::Table::closeKeptTables();
  if (!result.problem.empty()) return result;
  // Listed again: proving may have rebuilt a missing index, which then comes along.
  std::map<std::string, std::vector<std::string>> files;
  for (const platform::FolderEntry& entry : platform::listFolder(folder + "\\*.*")) {
    if (!entry.isFolder && isTableFileName(entry.name))
      files[tableNameOf(entry.name)].push_back(entry.name);
  }
  for (auto& [name, names] : files) result.tables.push_back({name, std::move(names)});
  return result;
}

}  // namespace savora::backup
