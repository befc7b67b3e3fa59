// Hostile and interrupted files: damaged tables, memo files and indexes fail with named errors
// or are rebuilt, never crash; appends and packs interrupted at every write (simulated crash or
// I/O error) and by a real SIGKILL lose nothing that was written before.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <functional>

#include <chrono>
#include <filesystem>
#include <random>
#include <thread>

#include "platform/file.h"
#include "platform/file_ops.h"
#include "temp_folder.h"
#include "test_tables.h"
#include "xbase/error.h"

namespace savora::xbase {
namespace {

using namespace savora::xbase::testing;
using platform::WriteFaults;
using savora::testing::readFileBytes;
using savora::testing::TempFolder;

// A three-record recipe table's files, made once.
struct Pristine {
  std::string dbf, fpt, cdx;
};

const Pristine& pristine() {
  static const Pristine files = [] {
    TempFolder folder;
    auto table = createRecipes(folder.str() + "t");
    for (int uid = 1; uid <= 3; ++uid) appendRecipe(*table, uid);
    table->close();
    return Pristine{readFileBytes(folder.str() + "t.dbf"), readFileBytes(folder.str() + "t.fpt"),
                    readFileBytes(folder.str() + "t.cdx")};
  }();
  return files;
}

void writeTable(const TempFolder& folder, const std::string& dbf, const std::string& fpt,
                const std::string& cdx) {
  folder.write("t.dbf", dbf);
  folder.write("t.fpt", fpt);
  if (!cdx.empty()) folder.write("t.cdx", cdx);
}

OpenOptions withTags() {
  OpenOptions options;
  options.tags = recipeTags();
  return options;
}

std::string le32(uint32_t value) {
  std::string bytes(4, '\0');
  for (size_t i = 0; i < 4; ++i) bytes[i] = char((value >> (8 * i)) & 0xFF);
  return bytes;
}

std::string patched(std::string bytes, size_t offset, const std::string& with) {
  bytes.replace(offset, with.size(), with);
  return bytes;
}

// Opens the table, arms a write fault at the nth change, runs `work` and closes the table (an
// Error from either is the expected outcome of the fault). True when the fault was reached.
bool withFault(const std::string& name, uint64_t n, WriteFaults::Kind kind,
               const std::function<void(Table&)>& work) {
  auto table = Table::open(name);
  WriteFaults::arm(n, kind);
  try {
    work(*table);
    table->close();
  } catch (const Error&) {
  }
  const bool fired = WriteFaults::writesSoFar() >= n;
  table.reset();
  WriteFaults::disarm();
  return fired;
}

TEST(RobustnessTest, DamagedTableFilesFailWithNamedErrors) {
  const Pristine& p = pristine();
  const size_t headerEnd = 32 + 7 * 32;  // the 0x0D after seven descriptors
  const struct {
    const char* what;
    std::string dbf;
  } kCases[] = {
      {"empty file", ""},
      {"cut inside the 32-byte header", p.dbf.substr(0, 20)},
      {"cut inside the field descriptors", p.dbf.substr(0, 100)},
      {"unknown version byte", patched(p.dbf, 0, "\x42")},
      {"header length far past the end", patched(p.dbf, 8, "\xFF\xFF")},
      {"header length too small for one field", patched(p.dbf, 8, std::string("\x10\x00", 2))},
      {"record length disagrees with the fields", patched(p.dbf, 10, std::string("\x07\x00", 2))},
      {"terminator overwritten", patched(p.dbf, headerEnd, "X")},
      {"zero-width field", patched(p.dbf, 32 + 16, std::string(1, '\0'))},
      {"field name fills all eleven bytes", patched(p.dbf, 32, "ABCDEFGHIJK")},
      // A hand-made 0x03 table: one field C(4) but record length 9.
      {"hand-made header with a wrong record length",
       std::string("\x03\x7A\x01\x01\x00\x00\x00\x00\x41\x00\x09\x00", 12) + std::string(16, '\0') +
           std::string("\x00\x03\x00\x00", 4) +
           std::string("NAME\0\0\0\0\0\0\0C\x01\0\0\0\x04", 17) + std::string(15, '\0') +
           "\x0D\x1A"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    writeTable(folder, c.dbf, p.fpt, p.cdx);
    try {
      Table::open(folder.str() + "t", withTags());
      ADD_FAILURE() << "opened";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("t.dbf"), std::string::npos) << e.what();
    }
  }
}

TEST(RobustnessTest, TornOrUncountedRecordsAtTheEndAreHandled) {
  const Pristine& p = pristine();
  const size_t recordLength = 1 + 5 + 5 + 80 + 8 + 3 + 260 + 10;
  const size_t dataEnd = p.dbf.size() - 1;  // before the end mark
  const struct {
    const char* what;
    std::string dbf;
    uint32_t records;
  } kCases[] = {
      // The count says 3 but the last record was cut in half by an interrupted append.
      {"last record torn", p.dbf.substr(0, dataEnd - recordLength / 2), 2},
      // The count says 5; only 3 records are there.
      {"count past the records", patched(p.dbf, 4, std::string("\x05", 1)), 3},
      // A whole record and the end mark were written, the count update was lost.
      {"record written, count not", patched(p.dbf, 4, std::string("\x02", 1)), 3},
      // Garbage after the counted records is no record.
      {"uncounted bytes without end mark",
       patched(p.dbf, 4, std::string("\x02", 1)).substr(0, dataEnd), 2},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    writeTable(folder, c.dbf, p.fpt, p.cdx);
    auto table = Table::open(folder.str() + "t", withTags());
    ASSERT_TRUE(table);
    EXPECT_EQ(table->recordCount(), c.records);
    for (uint32_t r = 1; r <= c.records; ++r) {
      ASSERT_TRUE(table->go(r));
      EXPECT_EQ(recipeMismatch(*table, int(r)), "");
    }
    EXPECT_EQ(table->checkIndex(), std::vector<std::string>{});
    appendRecipe(*table, int(c.records) + 1);
    table->close();
    table = Table::open(folder.str() + "t");
    EXPECT_EQ(table->recordCount(), c.records + 1);
    ASSERT_TRUE(table->go(c.records + 1));
    EXPECT_EQ(recipeMismatch(*table, int(c.records) + 1), "");
  }
}

TEST(RobustnessTest, DamagedMemoFilesFailWithNamedErrors) {
  const Pristine& p = pristine();
  const size_t memoField = 1 + 5 + 5 + 80 + 8 + 3 + 260;
  const size_t record1 = 32 + 7 * 32 + 1;
  const struct {
    const char* what;
    std::string dbf, fpt;
    bool opens;
  } kCases[] = {
      {"memo file shorter than its header", p.dbf, p.fpt.substr(0, 100), false},
      {"block size zero", p.dbf, patched(p.fpt, 6, std::string(2, '\0')), false},
      {"pointer past the end of the memo file", patched(p.dbf, record1 + memoField, "    999999"),
       p.fpt, true},
      {"pointer into the header", patched(p.dbf, record1 + memoField, "         2"), p.fpt, true},
      {"pointer that is no number", patched(p.dbf, record1 + memoField, "   12x    "), p.fpt, true},
      {"memo length past the end", p.dbf, patched(p.fpt, 8 * 64 + 4, "\x7F\xFF\xFF\xF0"), true},
      {"memo file cut inside the first memo", p.dbf, p.fpt.substr(0, 8 * 64 + 12), true},
  };
  // Both readers, the copy and the view, fail alike.
  for (const bool asView : {false, true}) {
    for (const auto& c : kCases) {
      SCOPED_TRACE(std::string(c.what) + (asView ? ", as a view" : ""));
      TempFolder folder;
      writeTable(folder, c.dbf, c.fpt, p.cdx);
      try {
        auto table = Table::open(folder.str() + "t", withTags());
        ASSERT_TRUE(c.opens);
        ASSERT_TRUE(table->go(1));
        const int notes = table->fieldIndex("NOTES");
        if (asView) {
          table->memoView(notes);
        } else {
          table->memo(notes);
        }
        ADD_FAILURE() << "memo read";
      } catch (const Error& e) {
        const std::string message = e.what();
        EXPECT_TRUE(message.find("t.fpt") != std::string::npos ||
                    message.find("t.dbf") != std::string::npos)
            << message;
      }
    }
  }
  // A missing memo file is named.
  TempFolder folder;
  folder.write("t.dbf", p.dbf);
  EXPECT_THROW(Table::open(folder.str() + "t"), Error);
}

TEST(RobustnessTest, AMissingOrDamagedIndexIsRebuiltFromTheData) {
  const Pristine& p = pristine();
  std::string garbage(512, '\xA5');
  const struct {
    const char* what;
    std::string cdx;  // empty: no index file
    bool definitionsNeeded;
  } kCases[] = {
      {"index file missing", "", true},
      {"cut to 700 bytes", p.cdx.substr(0, 700), true},
      {"zero bytes", std::string(p.cdx.size(), '\0'), true},
      {"directory page overwritten", patched(p.cdx, 1024, garbage), true},
      {"directory pointer at a page of zeros",
       patched(p.cdx, 0, le32(uint32_t(p.cdx.size()))) + std::string(512, '\0'), true},
      {"first tag's root page overwritten", patched(p.cdx, 1536 + 1024, garbage), false},
      {"tag root pointer outside the file",
       patched(p.cdx, 1536, std::string("\x00\xF0\xFF\x00", 4)), false},
      {"update mark left set", patched(p.cdx, 36, "PUVS"), false},
      {"interior key count past the page", patched(p.cdx, 1536 + 1024 + 2, "\xFF\x7F"), false},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    writeTable(folder, p.dbf, p.fpt, c.cdx);
    auto table = Table::open(folder.str() + "t", withTags());
    EXPECT_NE(table->indexNote(), "");
    EXPECT_EQ(table->checkIndex(), std::vector<std::string>{});
    ASSERT_TRUE(table->selectTag("UID"));
    EXPECT_EQ(table->seek(2.0), SeekResult::Found);
    table->close();
    // Without definitions, only a file that still names its tags can be rebuilt.
    if (c.cdx.empty()) continue;
    writeTable(folder, p.dbf, p.fpt, c.cdx);
    if (c.definitionsNeeded) {
      EXPECT_THROW(Table::open(folder.str() + "t"), Error);
    } else {
      table = Table::open(folder.str() + "t");
      EXPECT_EQ(table->tags().size(), 3u);
      EXPECT_EQ(table->checkIndex(), std::vector<std::string>{});
    }
  }
}

TEST(RobustnessTest, RandomlyDamagedFilesNeverCrash) {
  const Pristine& p = pristine();
  std::mt19937 random(1234);
  int errors = 0, opened = 0;
  for (int round = 0; round < 400; ++round) {
    std::string files[3] = {p.dbf, p.fpt, p.cdx};
    std::string& victim = files[round % 3];
    const int flips = 1 + int(random() % 8);
    for (int i = 0; i < flips; ++i) victim[random() % victim.size()] = char(random());
    if (round % 7 == 0) victim.resize(random() % victim.size());
    TempFolder folder;
    writeTable(folder, files[0], files[1], files[2]);
    try {
      auto table = Table::open(folder.str() + "t", withTags());
      ++opened;
      for (bool on = table->go(1); on; on = table->skip())
        for (size_t f = 0; f < table->fields().size(); ++f) table->memo(int(f));
      for (const TagSpec& tag : table->tags()) {
        table->selectTag(tag.name);
        for (bool on = table->top(); on; on = table->skip()) {
        }
      }
      table->checkIndex();
      appendRecipe(*table, 4);
      table->close();
    } catch (const Error&) {
      ++errors;
    }
  }
  EXPECT_GT(opened, 0);
  EXPECT_GT(errors, 0);
}

// Appends recipe 21 to a 20-record table with the Nth disk change failing or "killing" the
// process; reopening must show the 20 records intact and a consistent index, and the 21st
// either complete or absent.
void interruptAppends(WriteFaults::Kind kind) {
  TempFolder seed;
  {
    auto table = createRecipes(seed.str() + "t");
    for (int uid = 1; uid <= 20; ++uid) appendRecipe(*table, uid);
  }
  const Pristine files{readFileBytes(seed.str() + "t.dbf"), readFileBytes(seed.str() + "t.fpt"),
                       readFileBytes(seed.str() + "t.cdx")};
  for (uint64_t n = 1;; ++n) {
    SCOPED_TRACE(n);
    ASSERT_LT(n, 200u) << "the append never finished";
    TempFolder folder;
    writeTable(folder, files.dbf, files.fpt, files.cdx);
    const bool fired =
        withFault(folder.str() + "t", n, kind, [](Table& t) { appendRecipe(t, 21); });
    auto table = Table::open(folder.str() + "t", withTags());
    ASSERT_TRUE(table);
    ASSERT_GE(table->recordCount(), 20u);
    ASSERT_LE(table->recordCount(), 21u);
    for (uint32_t r = 1; r <= table->recordCount(); ++r) {
      ASSERT_TRUE(table->go(r));
      ASSERT_EQ(recipeMismatch(*table, int(r)), "") << "record " << r;
    }
    ASSERT_EQ(table->checkIndex(), std::vector<std::string>{});
    // The table takes new records after the interruption.
    appendRecipe(*table, int(table->recordCount()) + 1);
    ASSERT_EQ(table->checkIndex(), std::vector<std::string>{});
    if (!fired) {
      EXPECT_EQ(table->recordCount(), 22u);
      EXPECT_GT(n, 8u) << "fewer write points than an append with memo and three tags has";
      return;
    }
  }
}

TEST(RobustnessTest, AppendInterruptedByACrashAtEveryWrite) {
  interruptAppends(WriteFaults::Kind::Crash);
}

TEST(RobustnessTest, AppendInterruptedByAFailedWriteAtEveryWrite) {
  interruptAppends(WriteFaults::Kind::Fail);
}

TEST(RobustnessTest, PackInterruptedAtEveryWriteKeepsOneWholeVersion) {
  TempFolder seed;
  {
    auto table = createRecipes(seed.str() + "t");
    for (int uid = 1; uid <= 12; ++uid) appendRecipe(*table, uid);
    for (uint32_t r = 2; r <= 12; r += 3) {
      table->go(r);
      table->deleteRecord();
    }
  }
  const Pristine files{readFileBytes(seed.str() + "t.dbf"), readFileBytes(seed.str() + "t.fpt"),
                       readFileBytes(seed.str() + "t.cdx")};
  for (const auto kind : {WriteFaults::Kind::Crash, WriteFaults::Kind::Fail}) {
    for (uint64_t n = 1;; ++n) {
      SCOPED_TRACE(n);
      ASSERT_LT(n, 400u);
      TempFolder folder;
      writeTable(folder, files.dbf, files.fpt, files.cdx);
      const bool fired = withFault(folder.str() + "t", n, kind, [](Table& t) { t.pack(); });
      auto table = Table::open(folder.str() + "t", withTags());
      ASSERT_TRUE(table);
      const bool packed = table->recordCount() == 8;
      ASSERT_TRUE(packed || table->recordCount() == 12) << table->recordCount();
      uint32_t r = 0;
      for (int uid = 1; uid <= 12; ++uid) {
        if (packed && uid % 3 == 2) continue;
        ASSERT_TRUE(table->go(++r));
        ASSERT_EQ(recipeMismatch(*table, uid), "") << "record " << r;
      }
      ASSERT_EQ(table->checkIndex(), std::vector<std::string>{});
      if (!fired) break;
    }
  }
}

TEST(RobustnessTest, AProcessKilledWhileAppendingLosesAtMostTheRecordBeingWritten) {
  for (int delayMs : {60, 150, 300}) {
    SCOPED_TRACE(delayMs);
    TempFolder folder;
    const std::string base = folder.str() + "k";
    createRecipes(base)->close();
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      try {
        for (int round = 0;; ++round) {
          auto table = Table::open(base);
          for (int i = 0; i < 5; ++i) appendRecipe(*table, int(table->recordCount()) + 1);
          table->close();
        }
      } catch (...) {
      }
      ::_exit(3);
    }
    // Count the delay from the first append: a slow start (a loaded machine, a sanitizer build)
    // must not leave the table empty.
    const uint64_t empty = std::filesystem::file_size(base + ".dbf");
    for (int waited = 0; waited < 2000 && std::filesystem::file_size(base + ".dbf") == empty;
         ++waited)
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped on its own";
    auto table = Table::open(base, withTags());
    ASSERT_TRUE(table);
    EXPECT_GT(table->recordCount(), 0u);
    table->reindex();
    for (uint32_t r = 1; r <= table->recordCount(); ++r) {
      ASSERT_TRUE(table->go(r));
      ASSERT_EQ(recipeMismatch(*table, int(r)), "") << "record " << r;
    }
    EXPECT_EQ(table->checkIndex(), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace savora::xbase
