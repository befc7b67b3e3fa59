// dBASE memo files (.dbt): dBASE IV blocks are read by their stored length, dBASE III blocks up to
// the 0x1A end mark. Each table is laid out byte by byte here.
#include <gtest/gtest.h>

#include "temp_folder.h"
#include "xbase/byte_order.h"
#include "xbase/error.h"
#include "xbase/table.h"

namespace savora::xbase {
namespace {

using savora::testing::TempFolder;

// A two-record table with one memo field NOTE pointing at blocks 1 and 2.
std::string twoMemoTable(uint8_t version) {
  std::string dbf(32, '\0');
  dbf[0] = char(version);                // 0x83 dBASE III or 0x8B dBASE IV, both with a .dbt
  dbf[1] = 96, dbf[2] = 5, dbf[3] = 17;  // last update 1996-05-17
  writeLe32(&dbf[4], 2);                 // two records
  writeLe16(&dbf[8], 32 + 32 + 1);       // header: table header, one descriptor, terminator
  writeLe16(&dbf[10], 1 + 10);           // deletion flag + NOTE
  std::string field(32, '\0');
  field.replace(0, 4, "NOTE");  // name, 0x00-padded
  field[11] = 'M';              // memo
  writeLe32(&field[12], 1);     // offset in the record
  field[16] = 10;               // ten ASCII digits of the block number
  dbf += field;
  dbf += '\x0D';                           // end of the field list
  dbf += std::string(" ") + "         1";  // record 1: memo at block 1
  dbf += std::string(" ") + "         2";  // record 2: memo at block 2
  dbf += '\x1A';
  return dbf;
}

// A dBASE IV memo block: FF FF 08 00, then the length of these 8 bytes plus the text.
std::string dbtIVBlock(const std::string& text, size_t blockSize) {
  std::string block("\xFF\xFF\x08\x00", 4);
  block += std::string(4, '\0');
  writeLe32(&block[4], uint32_t(8 + text.size()));
  block += text;
  block.resize(blockSize, '\0');  // the rest of the block is left over, not text
  return block;
}

std::string dbtHeader(uint32_t nextFree, uint16_t blockSize, size_t headerBytes) {
  std::string header(headerBytes, '\0');
  writeLe32(&header[0], nextFree);    // next free block
  writeLe16(&header[20], blockSize);  // dBASE IV block size; 0 in dBASE III files
  return header;
}

TEST(DbtMemoTest, MemosAreReadByTheirFormatsRule) {
  const std::string first = "First memo\r\n", second = "Second memo, a bit longer\r\n";
  const struct {
    const char* what;
    uint8_t version;
    std::string dbt;
    std::string first, second;  // expected
  } kCases[] = {
      {"dBASE IV, 512-byte blocks, two memos back to back", 0x8B,
       dbtHeader(3, 512, 512) + dbtIVBlock(first, 512) + dbtIVBlock(second, 512), first, second},
      {"dBASE IV, 64-byte blocks from the header", 0x8B,
       dbtHeader(3, 64, 64) + dbtIVBlock(first, 64) + dbtIVBlock(second, 64), first, second},
      {"dBASE IV, memo cut off by the file's end", 0x8B,
       dbtHeader(3, 512, 512) + dbtIVBlock(first, 512) + dbtIVBlock(second, 512).substr(0, 20),
       first, ""},
      {"dBASE IV file with a block written without the mark", 0x8B,
       dbtHeader(3, 512, 512) + dbtIVBlock(first, 512) + "Old style\x1A\x1A" +
           std::string(500, '\0'),
       first, "Old style"},
      {"dBASE III, ends at 0x1A", 0x83,
       dbtHeader(3, 0, 512) + (first + "\x1A\x1A").append(498, '\0') + second + "\x1A\x1A", first,
       second},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    folder.write("t.dbf", twoMemoTable(c.version));
    folder.write("t.dbt", c.dbt);
    OpenOptions options;
    options.readOnly = true;
    auto table = Table::open(folder.str() + "t", options);
    ASSERT_TRUE(table);
    const int note = table->fieldIndex("NOTE");
    ASSERT_TRUE(table->go(1));
    EXPECT_EQ(table->memo(note), c.first);
    EXPECT_EQ(table->memoView(note), c.first);
    ASSERT_TRUE(table->go(2));
    if (c.second.empty()) {
      try {
        table->memo(note);
        ADD_FAILURE() << "a memo longer than the file was read";
      } catch (const Error& e) {
        EXPECT_NE(std::string(e.what()).find("t.dbt"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("block 2"), std::string::npos) << e.what();
      }
      EXPECT_THROW(table->memoView(note), Error);
    } else {
      EXPECT_EQ(table->memo(note), c.second);
      EXPECT_EQ(table->memoView(note), c.second);
    }
  }
}

}  // namespace
}  // namespace savora::xbase
