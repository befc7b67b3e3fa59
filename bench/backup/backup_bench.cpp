// Backing up and restoring the tables of a data folder holding 99,999 recipes (the most UIDs of
// width 5 allow), against `zip -r`
// and `unzip` of the same files (run as separate processes in the same run) as the baseline.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "../silent_user.h"
#include "backup/backup.h"
#include "platform/program_dirs.h"
#include "store/recipe_table.h"

namespace {

namespace fs = std::filesystem;
using namespace savora;

using bench::SilentUser;

long recipeCount() {
  const char* n = std::getenv("SAVORA_BENCH_RECIPES");
  return n ? std::atol(n) : 99999;  // the most a UID of width 5 holds
}

struct DataFolder {
  DataFolder() {
    std::string pattern = (fs::temp_directory_path() / "savora-backup-bench-XXXXXX").string();
    root = ::mkdtemp(pattern.data());
    fs::create_directories(root / "data");
    fs::create_directories(root / "config");
    ::setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
    platform::setProgramDirectory((root / "data").string());
    recipes.open();
    tables.add(recipes);
    for (long i = 1; i <= recipeCount(); ++i) {
      store::Recipe r;
      r.name = "Recipe number " + std::to_string(i);
      r.description = "A family favourite, made on Sundays.";
      r.instructions = "Mix, pour into a greased pan and bake at 350 degrees for 45 minutes.";
      r.servings = 4;
      for (int line = 0; line < 8; ++line) {
        r.lines[size_t(line)].quantity = "1 1/2";
        r.lines[size_t(line)].unit = line + 1;
        r.lines[size_t(line)].ingredient = 100 + line;
      }
      r.lines[0].info2 = "finely chopped";
      recipes.save(0, 1 + i % 40, r, false);
    }
    recipes.reopen();
  }
  ~DataFolder() {
    recipes.close();
    fs::remove_all(root);
  }
  fs::path root;
  SilentUser user;
  store::TableStore store{user};
  store::RecipeTable recipes{store, "rc65"};
  store::OpenTables tables;
};

DataFolder& folder() {
  static DataFolder f;
  return f;
}

std::string archivePath() {
  return (folder().root / "bench.ck9").string();
}

void BM_Backup(benchmark::State& state) {
  DataFolder& f = folder();
  backup::BackupService service(f.store, f.tables, f.user);
  for (auto _ : state) {
    if (!service.backup(archivePath())) state.SkipWithError("backup failed");
  }
  state.counters["archive_MB"] = double(fs::file_size(archivePath())) / 1e6;
}
BENCHMARK(BM_Backup)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_ZipBaseline(benchmark::State& state) {
  DataFolder& f = folder();
  const std::string zip = (f.root / "baseline.zip").string();
  const std::string command = "cd '" + (f.root / "data").string() + "' && rm -f '" + zip +
                              "' && zip -q -r '" + zip + "' *.dbf *.cdx *.fpt";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("zip failed");
  }
}
BENCHMARK(BM_ZipBaseline)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_Restore(benchmark::State& state) {
  DataFolder& f = folder();
  backup::BackupService service(f.store, f.tables, f.user);
  if (!fs::exists(archivePath())) service.backup(archivePath());
  for (auto _ : state) {
    if (!service.restore(archivePath())) state.SkipWithError("restore failed");
  }
}
BENCHMARK(BM_Restore)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_UnzipBaseline(benchmark::State& state) {
  DataFolder& f = folder();
  const std::string zip = (f.root / "baseline.zip").string();
  const std::string out = (f.root / "unzipped").string();
  const std::string command = "unzip -q -o '" + zip + "' -d '" + out + "'";
  for (auto _ : state) {
    if (std::system(command.c_str()) != 0) state.SkipWithError("unzip failed");
  }
}
BENCHMARK(BM_UnzipBaseline)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace

BENCHMARK_MAIN();
