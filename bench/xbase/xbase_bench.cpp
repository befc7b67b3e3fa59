// The table library under the program's access patterns, on recipe-like records (UID N5,
// CHAP_UID N5, NAME C80, three N fields, a memo) with the program's three kinds of tags:
//   append_reopen/N  open, append one record, close, on a table of N records: the per-append
//                    cost must stay flat from 1,000 to 100,000 records (in-place index updates).
//                    3,000 appends: at 100k the first few hundred land on index pages nobody
//                    read since the table was built, which the later ones have found already,
//                    as in a session of the program saving record after record
//   append_reopen_first/100000  the same, the first 300 appends only
//   append_fresh/N   the same with no files kept from the close before: every open opens its
//                    files, as SQLite's reopen does (sqlite_append_fresh)
//   append_open/N    append one record to a table kept open (sqlite_append_open keeps its
//                    connection and statement)
//   seek_uid/N       seek a random UID in a numeric tag
//   walk_chapname/N  walk a whole "STR(CHAP_UID,5)+NAME" tag, time per record
//   scan/N           read every record in record order, time per whole scan
//   scan_fields/N    the same, reading every field of each record (numbers as numbers, the
//                    name and the memo as text), as SQLite's scan builds every column
//   reindex/N, pack/N  rebuild every tag; pack away a tenth of the records
// The same workloads through SQLite are in sqlite_side.cpp (named sqlite_...), with the floor
// of an append: the bare writes it needs.
// Tables are built once per size in a temporary folder that is removed at exit.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <map>
#include <random>
#include <string>

#include "bench_data.h"
#include "xbase/table.h"

namespace {

using bench::folder;

using savora::xbase::FieldSpec;
using savora::xbase::Table;
using savora::xbase::TagSpec;

const std::vector<FieldSpec> kFields = {
    {"UID", 'N', 5, 0},    {"CHAP_UID", 'N', 5, 0}, {"NAME", 'C', 80, 0}, {"KCAL", 'N', 8, 1},
    {"SERVES", 'N', 3, 0}, {"MINUTES", 'N', 5, 0},  {"NOTES", 'M', 10, 0}};
const std::vector<TagSpec> kTags = {
    {"UID", "UID", ".NOT. DELETED()", false, false},
    {"CHAPNAME", "STR(CHAP_UID,5)+NAME", ".NOT. DELETED()", false, false},
    {"NAME", "UPPER(NAME)", ".NOT. DELETED()", false, false}};

void appendRecipe(Table& table, int uid) {
  const bench::Recipe r = bench::recipeOf(uid);
  table.appendStart();
  table.setNumber(0, r.uid);
  table.setNumber(1, r.chapter);
  table.setText(2, r.name);
  table.setNumber(3, r.kcal);
  table.setNumber(4, r.serves);
  table.setNumber(5, r.minutes);
  table.setMemo(6, r.notes);
  table.append();
}

// A table of n records, built once; returns its name.
std::string tableOf(int n) {
  static std::map<int, std::string> built;
  auto it = built.find(n);
  if (it != built.end()) return it->second;
  const std::string name = (folder().path / ("recipes" + std::to_string(n))).string();
  auto table = Table::create(name, kFields, kTags);
  for (int uid = 1; uid <= n; ++uid) appendRecipe(*table, uid);
  table->close();
  return built[n] = name;
}

std::string copyOf(const std::string& name, const std::string& copy) {
  for (const char* ext : {".dbf", ".fpt", ".cdx"})
    std::filesystem::copy_file(name + ext, copy + ext,
                               std::filesystem::copy_options::overwrite_existing);
  return copy;
}

// Open, append, close; with `freshFiles` no file is kept from one close to the next open.
void appendAndClose(benchmark::State& state, const char* copy, bool freshFiles) {
  const int n = int(state.range(0));
  const std::string name = copyOf(tableOf(n), tableOf(n) + copy);
  int uid = n;
  for (auto _ : state) {
    if (freshFiles) Table::closeKeptTables();
    auto table = Table::open(name);
    appendRecipe(*table, ++uid);
    table->close();
  }
  Table::closeKeptTables();
  state.SetItemsProcessed(state.iterations());
}

void appendReopen(benchmark::State& state) {
  appendAndClose(state, "-append", false);
}
BENCHMARK(appendReopen)
    ->Name("append_reopen")
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(3000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(appendReopen)
    ->Name("append_reopen_first")
    ->Arg(100000)
    ->Iterations(300)
    ->Unit(benchmark::kMicrosecond);

void appendFresh(benchmark::State& state) {
  appendAndClose(state, "-fresh", true);
}
BENCHMARK(appendFresh)
    ->Name("append_fresh")
    ->Arg(100000)
    ->Iterations(3000)
    ->Unit(benchmark::kMicrosecond);

void appendOpen(benchmark::State& state) {
  const int n = int(state.range(0));
  auto table = Table::open(copyOf(tableOf(n), tableOf(n) + "-open"));
  int uid = n;
  for (auto _ : state) appendRecipe(*table, ++uid);
  table->close();
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(appendOpen)
    ->Name("append_open")
    ->Arg(100000)
    ->Iterations(3000)
    ->Unit(benchmark::kMicrosecond);

void seekUid(benchmark::State& state) {
  const int n = int(state.range(0));
  auto table = Table::open(tableOf(n));
  table->selectTag("UID");
  std::mt19937 random(5);
  for (auto _ : state) {
    const auto result = table->seek(double(1 + random() % n));
    benchmark::DoNotOptimize(result);
  }
}
BENCHMARK(seekUid)
    ->Name("seek_uid")
    ->Arg(10000)
    ->Arg(100000)
    ->Iterations(20000)
    ->Unit(benchmark::kMicrosecond);

void walkChapName(benchmark::State& state) {
  const int n = int(state.range(0));
  auto table = Table::open(tableOf(n));
  table->selectTag("CHAPNAME");
  int64_t records = 0;
  for (auto _ : state) {
    for (bool on = table->top(); on; on = table->skip()) ++records;
  }
  state.SetItemsProcessed(records);
}
BENCHMARK(walkChapName)
    ->Name("walk_chapname")
    ->Arg(10000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void scan(benchmark::State& state) {
  const int n = int(state.range(0));
  auto table = Table::open(tableOf(n));
  int64_t records = 0;
  for (auto _ : state) {
    for (bool on = table->top(); on; on = table->skip()) ++records;
  }
  state.SetItemsProcessed(records);
}
BENCHMARK(scan)->Name("scan")->Arg(100000)->Iterations(5)->Unit(benchmark::kMillisecond);

void scanFields(benchmark::State& state) {
  const int n = int(state.range(0));
  auto table = Table::open(tableOf(n));
  int64_t records = 0;
  double numbers = 0;
  size_t textBytes = 0;
  for (auto _ : state) {
    for (bool on = table->top(); on; on = table->skip()) {
      numbers += table->number(0) + table->number(1) + table->number(3) + table->number(4) +
                 table->number(5);
      textBytes += table->fieldView(2).size() + table->memoView(6).size();
      ++records;
    }
  }
  benchmark::DoNotOptimize(numbers);
  benchmark::DoNotOptimize(textBytes);
  state.SetItemsProcessed(records);
}
BENCHMARK(scanFields)
    ->Name("scan_fields")
    ->Arg(100000)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void reindex(benchmark::State& state) {
  const int n = int(state.range(0));
  const std::string name = copyOf(tableOf(n), tableOf(n) + "-reindex");
  auto table = Table::open(name);
  for (auto _ : state) table->reindex();
}
BENCHMARK(reindex)->Name("reindex")->Arg(10000)->Iterations(5)->Unit(benchmark::kMillisecond);

void pack(benchmark::State& state) {
  const int n = int(state.range(0));
  for (auto _ : state) {
    state.PauseTiming();
    const std::string name = copyOf(tableOf(n), tableOf(n) + "-pack");
    auto table = Table::open(name);
    for (uint32_t r = 1; r <= uint32_t(n); r += 10) {
      table->go(r);
      table->deleteRecord();
    }
    state.ResumeTiming();
    table->pack();
  }
}
BENCHMARK(pack)->Name("pack")->Arg(10000)->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
