// Cost of mapping a program file name onto the disk, which every file access of the program
// pays. Baseline: one stat() of the native path, the least any lookup costs.
#include <benchmark/benchmark.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/file_ops.h"
#include "platform/paths.h"
#include "platform/program_dirs.h"

namespace {

namespace fs = std::filesystem;

// A program directory like a real one: a few hundred media files beside the tables.
struct Fixture {
  Fixture() {
    std::string pattern = (fs::temp_directory_path() / "savora-bench-XXXXXX").string();
    root = ::mkdtemp(pattern.data());
    fs::create_directories(root / "Catalog");
    for (int i = 0; i < 300; ++i)
      std::ofstream(root / ("photo" + std::to_string(i) + ".bmp")) << "x";
    std::ofstream(root / "Catalog" / "CATALOGBOOK.CDX") << "x";
    savora::platform::setProgramDirectory(root.string());
  }
  ~Fixture() { fs::remove_all(root); }
  fs::path root;
};

Fixture& fixture() {
  static Fixture f;
  return f;
}

void BM_StatBaseline(benchmark::State& state) {
  fixture();
  struct stat st;
  for (auto _ : state) benchmark::DoNotOptimize(::stat("Catalog/CATALOGBOOK.CDX", &st));
}
BENCHMARK(BM_StatBaseline);

void BM_NativePathSameCase(benchmark::State& state) {
  fixture();
  for (auto _ : state)
    benchmark::DoNotOptimize(savora::platform::nativePath("Catalog\\CATALOGBOOK.CDX"));
}
BENCHMARK(BM_NativePathSameCase);

void BM_NativePathOtherCase(benchmark::State& state) {
  fixture();
  for (auto _ : state)
    benchmark::DoNotOptimize(savora::platform::nativePath("catalog\\catalogBook.cdx"));
}
BENCHMARK(BM_NativePathOtherCase);

// The worst case: a name in another case in a folder of 300 entries.
void BM_NativePathOtherCaseBigFolder(benchmark::State& state) {
  fixture();
  for (auto _ : state) benchmark::DoNotOptimize(savora::platform::nativePath("PHOTO299.BMP"));
}
BENCHMARK(BM_NativePathOtherCaseBigFolder);

void BM_FileExists(benchmark::State& state) {
  fixture();
  for (auto _ : state)
    benchmark::DoNotOptimize(savora::platform::fileExists("catalog\\catalogBook.cdx"));
}
BENCHMARK(BM_FileExists);

}  // namespace

BENCHMARK_MAIN();
