// Thousands of damaged copies of a few good tables: bytes flipped or files cut short in the table
// header, the field descriptors, the records, the memo blocks and the index pages. Every copy
// must open, walk each tag and read every field, or fail with xbase::Error: no crash, no endless
// walk, no other exception. The seed is fixed, so a failure names a variant that can be rerun.
#include <gtest/gtest.h>

#include <chrono>
#include <random>

#include "temp_folder.h"
#include "test_tables.h"
#include "xbase/byte_order.h"
#include "xbase/error.h"

namespace savora::xbase {
namespace {

using namespace savora::xbase::testing;
using savora::testing::readFileBytes;
using savora::testing::TempFolder;

constexpr int kVariants = 2000;
constexpr uint32_t kSeed = 20240630;

struct File {
  std::string name;  // as stored, extension case included
  std::string bytes;
};

struct Sample {
  std::string name;
  std::string base;  // the table's name without extension
  std::vector<File> files;
  bool ours;  // written by the library: every other variant opens it for writing with its tag
              // definitions (a damaged index is rebuilt), the others read-only like the rest
};

// The recipe table with memos and three tags over 40 records: several leaves per tag.
Sample recipeSample() {
  TempFolder folder;
  {
    auto table = createRecipes(folder.str() + "t");
    for (int uid = 1; uid <= 40; ++uid) appendRecipe(*table, uid);
  }
  Sample s{"recipes", "t", {}, true};
  for (const char* name : {"t.dbf", "t.fpt", "t.cdx"})
    s.files.push_back({name, readFileBytes(folder.str() + name)});
  return s;
}

Sample dataSample(const std::string& folder, const std::string& base,
                  const std::vector<std::string>& names) {
  Sample s{folder + base, base, {}, false};
  for (const std::string& name : names) {
    s.files.push_back({name, readFileBytes(dataDir() + folder + name)});
    EXPECT_FALSE(s.files.back().bytes.empty()) << folder + name;
  }
  return s;
}

const std::vector<Sample>& samples() {
  static const std::vector<Sample> all = {
      recipeSample(),
      dataSample("lab/", "demo", {"demo.dbf", "demo.fpt", "demo.cdx"}),
      dataSample("dbd-xbase/", "rooms", {"rooms.dbf", "rooms.cdx"}),
      dataSample("dbd-xbase/", "test", {"test.dbf", "test.dbt"}),
      dataSample("infused-dbf/foxprodb/", "calls", {"calls.dbf", "calls.FPT", "calls.CDX"}),
  };
  return all;
}

// The part of a file a damage aims at, [begin, end) clipped to the file.
struct Region {
  const char* name;
  size_t begin, end;
};

std::vector<Region> regionsOf(const File& file) {
  const std::string& b = file.bytes;
  const std::string ext = file.name.substr(file.name.size() - 3);
  if (ext == "dbf") {
    const size_t header = b.size() >= 10 ? readLe16(&b[8]) : b.size();
    return {
        {"table header", 0, 32}, {"field descriptors", 32, header}, {"records", header, b.size()}};
  }
  if (ext == "cdx" || ext == "CDX")
    return {{"index file header", 0, 1024}, {"index pages", 1024, b.size()}};
  return {{"memo header", 0, 512}, {"memo blocks", 512, b.size()}};
}

// Damages `bytes` inside the region and says how.
std::string damage(std::string& bytes, const Region& region, std::mt19937& random) {
  const size_t end = std::min(region.end, bytes.size());
  const size_t begin = std::min(region.begin, end);
  if (begin == end) {
    bytes.clear();
    return "emptied";
  }
  auto at = [&] { return begin + random() % (end - begin); };
  switch (random() % 4) {
    case 0: {
      const size_t cut = at();
      bytes.resize(cut);
      return "cut at " + std::to_string(cut);
    }
    case 1: {
      static const char kSpecial[] = {'\0', '\xFF', '\x7F', '\x80', '\x01', ' '};
      const size_t pos = at();
      bytes[pos] = kSpecial[random() % sizeof kSpecial];
      return "byte " + std::to_string(pos) + " set to an edge value";
    }
    default: {
      const int flips = 1 + int(random() % 8);
      for (int i = 0; i < flips; ++i) bytes[at()] ^= char(1 << (random() % 8));
      return std::to_string(flips) + " bits flipped";
    }
  }
}

// Opens the table, reads every field of every record and walks every tag, each walk no longer
// than the table has records. Throws what the library throws.
void openAndReadAll(const Sample& sample, const std::string& folder, bool writable) {
  OpenOptions options;
  options.readOnly = !writable;
  options.tolerateBadIndex = !writable;
  if (writable) options.tags = recipeTags();
  auto table = Table::open(folder + sample.base, options);
  if (!table) throw Error("the table file was cut to nothing");  // the .dbf is gone
  const uint32_t count = table->recordCount();
  for (bool on = table->go(1); on; on = table->skip()) {
    for (size_t f = 0; f < table->fields().size(); ++f) {
      const int index = int(f);
      table->field(index);
      table->isNull(index);
      if (table->fields()[f].isMemo())
        table->memo(index);
      else
        table->text(index);
    }
  }
  for (const TagSpec& tag : table->tags()) {
    if (!table->selectTag(tag.name)) continue;
    uint32_t steps = 0;
    for (bool on = table->top(); on && steps <= count; on = table->skip()) ++steps;
    steps = 0;
    for (bool on = table->bottom(); on && steps <= count; on = table->skip(-1)) ++steps;
  }
  table->checkIndex();
  if (writable) appendRecipe(*table, int(count) + 1);
  table->close();
}

TEST(DamagedFilesFuzzTest, EveryVariantReadsOrFailsWithAnError) {
  const std::vector<Sample>& all = samples();
  std::mt19937 random(kSeed);
  int opened = 0, failed = 0;
  const auto start = std::chrono::steady_clock::now();
  for (int variant = 0; variant < kVariants; ++variant) {
    const Sample& sample = all[size_t(variant) % all.size()];
    std::vector<File> files = sample.files;
    File& victim = files[random() % files.size()];
    const std::vector<Region> regions = regionsOf(victim);
    const Region& region = regions[random() % regions.size()];
    const std::string how = damage(victim.bytes, region, random);
    const bool writable = sample.ours && variant / all.size() % 2 == 0;
    const std::string name = "variant " + std::to_string(variant) + ": " + sample.name + ", " +
                             victim.name + " " + region.name + ", " + how +
                             (writable ? ", opened for writing" : "");
    SCOPED_TRACE(name);
    TempFolder folder;
    for (const File& file : files) folder.write(file.name, file.bytes);
    try {
      openAndReadAll(sample, folder.str(), writable);
      ++opened;
    } catch (const Error&) {
      ++failed;
    } catch (const std::exception& e) {
      ADD_FAILURE() << "not an xbase::Error: " << e.what();
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%d variants: %d read through, %d failed with an Error, in %.1f s\n", kVariants,
              opened, failed, seconds);
  // Both outcomes occur, or the damage misses its aim.
  EXPECT_GT(opened, kVariants / 10);
  EXPECT_GT(failed, kVariants / 10);
}

}  // namespace
}  // namespace savora::xbase
