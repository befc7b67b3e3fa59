// Later-variant field types on a table laid out byte by byte here: V (varchar) and Q (varbinary)
// with their length byte, W (blob) memos, and null fields through the hidden _NullFlags field.
#include <gtest/gtest.h>

#include "temp_folder.h"
#include "xbase/byte_order.h"
#include "xbase/error.h"
#include "xbase/key_expr.h"
#include "xbase/table.h"

namespace savora::xbase {
namespace {

using savora::testing::TempFolder;

std::string descriptor(const char* name, char type, uint32_t offset, uint8_t width, uint8_t flags) {
  std::string d(32, '\0');
  d.replace(0, std::string(name).size(), name);  // name, 0x00-padded
  d[11] = type;
  writeLe32(&d[12], offset);  // offset in the record
  d[16] = char(width);
  d[18] = char(flags);  // 0x01 system, 0x02 nullable, 0x04 binary
  return d;
}

std::string le32(uint32_t v) {
  std::string out(4, '\0');
  writeLe32(out.data(), v);
  return out;
}

// Field order and _NullFlags bits: NAME V(10) nullable: length bit 0, null bit 1; CODE Q(6):
// length bit 2; DATA W blob; NOTE C(5) nullable: null bit 3; QTY I nullable: null bit 4.
const std::string kRecords[] = {
    // "Soup": length 4 in the last byte (bit 0); CODE full (bit 2 clear); blob at block 8.
    std::string(" ") + std::string("Soup\0\0\0\0\0\x04", 10) + "\x01\x02\x03\x04\x05\x06" +
        le32(8) + "abc  " + le32(12) + "\x01",
    // NAME, NOTE and QTY null (bits 1, 3, 4) whatever their bytes; CODE one byte long.
    std::string(" ") + "XXXXXXXXXX" + std::string("\xAA\0\0\0\0\x01", 6) + le32(0) + "zzzzz" +
        le32(99) + "\x1E",
    // NAME full (bit 0 clear), CODE empty (bit 2, length 0), a text memo at block 9.
    std::string(" ") + "ABCDEFGHIJ" + std::string(6, '\0') + le32(9) + "x    " + le32(0xFFFFFFFF) +
        "\x04",
    // Damaged: NAME's length byte says 32 in a 10-byte field.
    std::string(" ") + std::string("Soup\0\0\0\0\0\x20", 10) + std::string(6, '\0') + le32(0) +
        "     " + le32(0) + "\x01",
};

std::string vfpTable() {
  std::string dbf(32, '\0');
  dbf[0] = 0x32;                         // later variant with varchar/varbinary fields
  dbf[1] = 24, dbf[2] = 6, dbf[3] = 30;  // last update 2024-06-30
  writeLe32(&dbf[4], uint32_t(std::size(kRecords)));
  writeLe16(&dbf[8], 32 + 6 * 32 + 1 + 263);  // descriptors, terminator, 263-byte area
  writeLe16(&dbf[10], 1 + 10 + 6 + 4 + 5 + 4 + 1);
  dbf[28] = 0x02;  // has memo fields
  dbf += descriptor("NAME", 'V', 1, 10, 0x02);
  dbf += descriptor("CODE", 'Q', 11, 6, 0x04);
  dbf += descriptor("DATA", 'W', 17, 4, 0x04);
  dbf += descriptor("NOTE", 'C', 21, 5, 0x02);
  dbf += descriptor("QTY", 'I', 26, 4, 0x02);
  dbf += descriptor("_NullFlags", '0', 30, 1, 0x05);
  dbf += '\x0D';
  dbf += std::string(263, '\0');
  for (const std::string& record : kRecords) dbf += record;
  return dbf + '\x1A';
}

// .fpt: block size 64, next free 10; a blob at block 8, a text memo at block 9.
std::string vfpMemo() {
  std::string fpt(640, '\0');
  writeBe32(&fpt[0], 10);
  writeBe16(&fpt[6], 64);
  const std::string blob("\x00\x01 binary \xFF", 11);
  writeBe32(&fpt[8 * 64], 2);  // object
  writeBe32(&fpt[8 * 64 + 4], uint32_t(blob.size()));
  fpt.replace(8 * 64 + 8, blob.size(), blob);
  writeBe32(&fpt[9 * 64], 1);  // text
  writeBe32(&fpt[9 * 64 + 4], 6);
  fpt.replace(9 * 64 + 8, 6, "second");
  return fpt;
}

TEST(VfpFieldsTest, VarLengthBlobAndNullFieldsReadAsValues) {
  TempFolder folder;
  folder.write("t.dbf", vfpTable());
  folder.write("t.fpt", vfpMemo());
  OpenOptions options;
  options.readOnly = true;
  auto table = Table::open(folder.str() + "t", options);
  ASSERT_TRUE(table);
  const int name = table->fieldIndex("NAME"), code = table->fieldIndex("CODE"),
            data = table->fieldIndex("DATA"), note = table->fieldIndex("NOTE"),
            qty = table->fieldIndex("QTY"), flags = table->fieldIndex("_NULLFLAGS");
  const Expression key = Expression::parse("NAME+'|'", table->fields());
  const struct {
    const char* what;
    std::string name, code, data, note;
    double qty;
    bool nameNull, noteNull, qtyNull;
    std::string flags, key;
  } kCases[] = {
      {"short values", "Soup", "\x01\x02\x03\x04\x05\x06", std::string("\x00\x01 binary \xFF", 11),
       "abc", 12, false, false, false, "01", "Soup      |"},
      {"null fields", "", std::string(1, '\xAA'), "", "", 0, true, true, true, "1E", "          |"},
      {"full and empty values", "ABCDEFGHIJ", "", "second", "x", -1, false, false, false, "04",
       "ABCDEFGHIJ|"},
  };
  for (size_t r = 0; r < std::size(kCases); ++r) {
    const auto& c = kCases[r];
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(table->go(uint32_t(r + 1)));
    EXPECT_EQ(table->text(name), c.name);
    EXPECT_EQ(table->text(code), c.code);
    EXPECT_EQ(table->memo(data), c.data);
    EXPECT_EQ(table->text(note), c.note);
    EXPECT_EQ(table->number(qty), c.qty);
    EXPECT_EQ(table->isNull(name), c.nameNull);
    EXPECT_FALSE(table->isNull(code));
    EXPECT_EQ(table->isNull(note), c.noteNull);
    EXPECT_EQ(table->isNull(qty), c.qtyNull);
    EXPECT_EQ(table->text(flags), c.flags);
    EXPECT_EQ(key.evaluate(kRecords[r]).text, c.key);
  }
  ASSERT_TRUE(table->go(4));
  try {
    table->text(name);
    ADD_FAILURE() << "a length byte past the field was taken";
  } catch (const Error& e) {
    const std::string message = e.what();
    EXPECT_NE(message.find("t.dbf"), std::string::npos) << message;
    EXPECT_NE(message.find("record 4 field NAME"), std::string::npos) << message;
  }
}

}  // namespace
}  // namespace savora::xbase
