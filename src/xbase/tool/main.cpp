// savora99-table: looks into a table as the library sees it.
//   savora99-table TABLE             header, fields, tags, then every record as CSV
//   savora99-table --tag NAME TABLE  the tag's entries in its order: record number and key
//   savora99-table --check TABLE     compares every tag with the data; exit 1 on a mismatch, a
//                                    tag that cannot be used, or an index that cannot be read
//                                    or holds no tags
//   savora99-table --help            this text
//   --data DIR                       takes a TABLE without a folder from DIR
// A TABLE without a folder that is not in the current folder is taken from the data folder the
// program uses. The table is opened read-only; exit status 2 means it could not be opened. Text
// is printed as UTF-8 (tables hold Windows-1252).
#include <strings.h>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/codepage.h"
#include "platform/data_folder.h"
#include "platform/file_ops.h"
#include "xbase/error.h"
#include "xbase/table.h"

namespace {

using savora::xbase::Table;

constexpr const char* kUsage =
    "usage: savora99-table [--data DIR] [--tag NAME | --check] TABLE[.dbf]\n"
    "  TABLE             header, fields, tags, then every record as CSV\n"
    "  --tag NAME TABLE  the tag's entries in its order: record number and key\n"
    "  --check TABLE     compares every tag with the data; exit status 1 on a mismatch\n"
    "                    (each named) or an index that cannot be read\n"
    "  --data DIR        the folder of a TABLE named without one (default: the current\n"
    "                    folder, then the data folder savora99 uses: $SAVORA_HOME or\n"
    "                    $XDG_DATA_HOME/savora99, which is ~/.local/share/savora99)\n";

// A CSV cell of table text, in UTF-8.
std::string csvCell(const std::string& cp1252) {
  const std::string text = savora::platform::utf8FromCp1252(cp1252);
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

void printStructure(Table& table) {
  const auto& h = table.header();
  std::printf("table %s.dbf\n", table.name().c_str());
  std::printf(
      "version 0x%02X, updated %04d-%02d-%02d, %u records, header %u bytes, record %u "
      "bytes, flags 0x%02X, code page mark 0x%02X\n",
      h.version, h.year, h.month, h.day, table.recordCount(), h.headerLength, h.recordLength,
      h.flags, h.codePage);
  std::printf("fields:\n");
  for (const auto& f : table.fields())
    std::printf("  %-10s %c %5u %2u\n", f.name.c_str(), f.type, f.width, f.decimals);
  const auto tags = table.tags();
  std::printf("tags:%s\n", tags.empty() ? " none" : "");
  for (const auto& t : tags) {
    const std::string problem = table.tagProblem(t.name);
    std::printf("  %-10s key %s%s%s%s%s%s%s\n", t.name.c_str(), t.expression.c_str(),
                t.filter.empty() ? "" : " for ", t.filter.c_str(),
                t.descending ? " descending" : "", t.unique ? " unique" : "",
                problem.empty() ? "" : ", unusable: ", problem.c_str());
  }
  if (!table.indexNote().empty()) std::printf("index: %s\n", table.indexNote().c_str());
}

void printRecords(Table& table) {
  std::string line = "RECNO,DELETED";
  for (const auto& f : table.fields()) line += "," + f.name;
  std::printf("%s\n", line.c_str());
  for (bool on = table.go(1); on; on = table.skip()) {
    line = std::to_string(table.recordNumber()) + (table.deleted() ? ",*" : ",");
    for (size_t i = 0; i < table.fields().size(); ++i) {
      const auto& f = table.fields()[i];
      line += "," + csvCell(f.isMemo() ? table.memo(int(i)) : table.text(int(i)));
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
}

int printTag(Table& table, const std::string& name) {
  const auto format = table.tagKeyFormat(name);
  for (const auto& e : table.tagEntries(name)) {
    const std::string line =
        std::to_string(e.record) + "," + csvCell(savora::xbase::describeKey(e.key, format)) + "\n";
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  return 0;
}

// The table a memo or index file belongs to: "recipes.cdx" gives "recipes.dbf"; "" for any other
// name.
std::string tableOfCompanion(const std::string& path) {
  const size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return {};
  const std::string ext = path.substr(dot + 1);
  for (const char* companion : {"cdx", "fpt", "dbt"}) {
    if (strcasecmp(ext.c_str(), companion) == 0) return path.substr(0, dot) + ".dbf";
  }
  return {};
}

// Where a table named without a folder is: the current folder, else the program's data folder
// (the one --data names, when given).
std::string tablePath(const std::string& path, const std::string& dataOption) {
  if (path.find('/') != std::string::npos) return path;
  const bool here =
      savora::platform::fileExists(path) || savora::platform::fileExists(path + ".dbf");
  if (here && dataOption.empty()) return path;
  using namespace savora::platform;
  return chooseProgramFolders(thisProcessFolderInputs(dataOption)).data + path;
}

}  // namespace

int main(int argc, char** argv) {
  std::string tag, path, dataOption;
  bool check = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--tag" && i + 1 < argc)
      tag = argv[++i];
    else if (arg == "--data" && i + 1 < argc)
      dataOption = argv[++i];
    else if (arg == "--check")
      check = true;
    else if (!arg.empty() && arg[0] != '-' && path.empty())
      path = arg;
    else
      path.clear(), i = argc;
  }
  if (path.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  path = tablePath(path, dataOption);
  if (const std::string table = tableOfCompanion(path); !table.empty()) {
    std::fprintf(stderr, "savora99-table: %s belongs to a table; give the table: %s\n",
                 path.c_str(), table.c_str());
    return 2;
  }
  try {
    savora::xbase::OpenOptions options;
    options.readOnly = true;
    options.tolerateBadIndex = true;
    auto table = Table::open(path, options);
    if (!table) {
      std::fprintf(stderr, "savora99-table: %s: no such table\n", path.c_str());
      return 2;
    }
    if (check) {
      auto problems = table->checkIndex();
      if (!table->indexNote().empty()) problems.insert(problems.begin(), table->indexNote());
      for (const auto& p : problems) std::printf("%s\n", p.c_str());
      if (problems.empty()) std::printf("%zu tags agree with the data\n", table->tags().size());
      return problems.empty() ? 0 : 1;
    }
    if (!tag.empty()) {
      bool known = false;
      for (const auto& t : table->tags())
        known = known || strcasecmp(t.name.c_str(), tag.c_str()) == 0;
      if (!known) {
        std::fprintf(stderr, "savora99-table: %s has no tag %s\n", path.c_str(), tag.c_str());
        return 2;
      }
      return printTag(*table, tag);
    }
    printStructure(*table);
    printRecords(*table);
    return 0;
  } catch (const savora::xbase::Error& e) {
    std::fprintf(stderr, "savora99-table: %s\n", e.what());
    return 2;
  }
}
