// Importing an exchange archive of generated recipes (8 lines each from 300 foods and 40 units,
// every unit and food new to the user and added) into empty tables, against two baselines of
// the same run: extracting the same archive alone, and copying the bytes of its tables. The
// import's recipes per second should stay level as the archive grows.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "../bench_kitchen.h"
#include "archive/codes.h"
#include "archive/job.h"
#include "bookshelf/category_table.h"
#include "exchange/archive_extract.h"
#include "exchange/exchange_import.h"
#include "exchange/exchange_scratch.h"

namespace {

namespace fs = std::filesystem;
using namespace savora;

constexpr int kUnits = 40;
constexpr int kFoods = 300;
constexpr int kChapters = 50;

// The exchange tables of `recipes` recipes in a folder of their own, and the archive packed
// from them; kept for the whole run.
struct GeneratedArchive {
  explicit GeneratedArchive(long recipes) {
    std::string pattern = (fs::temp_directory_path() / "savora-import-bench-XXXXXX").string();
    root = ::mkdtemp(pattern.data());
    tables = root / "tables";
    fs::create_directories(tables);
    write(recipes);
    pack();
  }
  ~GeneratedArchive() { fs::remove_all(root); }

  std::unique_ptr<store::TableModule> open(store::TableDefinition definition,
                                           const std::string& name) {
    definition.name = (tables / name).string();
    auto table = std::make_unique<store::TableModule>(store, definition);
    table->open();
    return table;
  }
  void write(long count) {
    auto units = open(food::unitTableDefinition("unitx"), "unitx");
    for (long uid = 1; uid <= kUnits; ++uid) {
      units->appendStart(uid);
      units->setText("NAME", "bench unit " + std::to_string(uid));
      units->setText("ABBREV", "bu" + std::to_string(uid));
      units->append();
    }
    auto foods = open(food::ingredientTableDefinition("foodx"), "foodx");
    for (long uid = 1; uid <= kFoods; ++uid) {
      foods->appendStart(uid);
      foods->setText("NAME", "bench food " + std::to_string(uid));
      foods->append();
    }
    auto books = open(bookshelf::bookTableDefinition(bookshelf::Shelf::Recipes), "bookx");
    books->appendStart(1);
    books->setText("NAME", "Bench Book");
    books->append();
    auto chapters = open(bookshelf::chapterTableDefinition(bookshelf::Shelf::Recipes), "chapterx");
    for (long uid = 1; uid <= kChapters; ++uid) {
      chapters->appendStart(uid);
      chapters->setNumber("BOOK_UID", 1);
      chapters->setText("NAME", "Chapter " + std::to_string(uid));
      chapters->append();
    }
    for (auto* table : {units.get(), foods.get(), books.get(), chapters.get()}) table->close();
    store::RecipeTable recipes(store, (tables / "recip65x").string());
    recipes.open();
    for (long uid = 1; uid <= count; ++uid) {
      store::Recipe r;
      r.name = "Recipe number " + std::to_string(uid);
      r.description = "A family favourite, made on Sundays.";
      r.instructions = "Mix, pour into a greased pan and bake at 350 degrees for 45 minutes.";
      r.servings = 4;
      for (int line = 0; line < 8; ++line) {
        r.lines[size_t(line)].quantity = "1 1/2";
        r.lines[size_t(line)].unit = 1 + (uid + line) % kUnits;
        r.lines[size_t(line)].ingredient = 1 + (uid * 7 + line) % kFoods;
      }
      r.lines[0].info2 = "finely chopped";
      recipes.save(uid, 1 + uid % kChapters, r, false);
    }
    recipes.close();
  }
  void pack() {
    archivePath = (root / "bench.zel").string();
    const std::string program = platform::programDirectory();
    platform::setProgramDirectory(tables.string());
    archive::Job job;
    job.init();
    job.openArchive(archivePath, archive::kModeNew);
    for (const auto& entry : fs::directory_iterator(tables)) {
      job.add(entry.path().filename().string());
    }
    job.process();
    job.closeArchive();
    job.cleanup();
    platform::setProgramDirectory(program);
  }

  bench::SilentUser user;
  store::TableStore store{user};
  fs::path root, tables;
  std::string archivePath;
};

GeneratedArchive& archiveOf(long recipes) {
  static std::map<long, std::unique_ptr<GeneratedArchive>> archives;
  auto& slot = archives[recipes];
  if (!slot) slot = std::make_unique<GeneratedArchive>(recipes);
  return *slot;
}

void rate(benchmark::State& state, long recipes) {
  state.counters["recipes/s"] =
      benchmark::Counter(double(recipes), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_Import(benchmark::State& state) {
  const long recipes = state.range(0);
  GeneratedArchive& generated = archiveOf(recipes);
  for (auto _ : state) {
    state.PauseTiming();
    auto kitchen = std::make_unique<bench::BenchKitchen>("import");
    bookshelf::CategoryTable categories(kitchen->store);
    categories.open();
    bookshelf::connectBookshelf(kitchen->recipes, categories);
    auto import = exchange::ExchangeImport::start(
        kitchen->store,
        {{kitchen->units, kitchen->ingredients, kitchen->brands},
         {kitchen->books, kitchen->chapters, categories, kitchen->recipes},
         kitchen->weeks},
        generated.archivePath);
    state.ResumeTiming();
    import->runAll();
    state.PauseTiming();
    if (!import->succeeded()) state.SkipWithError("the import failed");
    import.reset();
    categories.close();
    kitchen.reset();
    state.ResumeTiming();
  }
  rate(state, recipes);
}

void BM_ExtractOnly(benchmark::State& state) {
  const long recipes = state.range(0);
  GeneratedArchive& generated = archiveOf(recipes);
  bench::BenchKitchen kitchen("extract");
  for (auto _ : state) {
    if (exchange::extractExchangeArchive(generated.archivePath) != archive::kOk) {
      state.SkipWithError("the extraction failed");
    }
    state.PauseTiming();
    exchange::removeExchangeFiles();
    state.ResumeTiming();
  }
  rate(state, recipes);
}

void BM_CopyTableBytes(benchmark::State& state) {
  const long recipes = state.range(0);
  GeneratedArchive& generated = archiveOf(recipes);
  const fs::path copy = generated.root / "copy";
  for (auto _ : state) {
    fs::create_directories(copy);
    for (const auto& entry : fs::directory_iterator(generated.tables)) {
      fs::copy_file(entry.path(), copy / entry.path().filename());
    }
    state.PauseTiming();
    fs::remove_all(copy);
    state.ResumeTiming();
  }
  rate(state, recipes);
}

void sizes(benchmark::internal::Benchmark* b) {
  b->Arg(1000)->Arg(5000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_Import)->Apply(sizes)->Iterations(1);
BENCHMARK(BM_ExtractOnly)->Apply(sizes)->Iterations(3);
BENCHMARK(BM_CopyTableBytes)->Apply(sizes)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
