// The .dbf file header: the 32-byte table header and the field descriptors that follow it,
// parsed from hostile bytes and written back in the FoxPro 2.x layout.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace savora::xbase {

// Table header, 32 bytes, little-endian:
//   OFFSET SIZE MEANING
//   0      1    version: 0x03 no memo, 0xF5 FoxPro memo (.fpt), 0x30-0x32 later variant with
//               .fpt, 0x83 memo in a .dbt file, 0x8B memo in a dBASE IV .dbt file
//   1      3    date of last update: year mod 100 (>= 100 means 1900 + value), month, day
//   4      4    record count, deleted records included
//   8      2    header length = file offset of record 1
//   10     2    record length, deletion flag included
//   12     16   reserved, zero
//   28     1    flags: 0x01 structural .cdx present, 0x02 memo (later variant only)
//   29     1    code page mark (0x03 = Windows-1252)
//   30     2    reserved, zero
// Field descriptor, 32 bytes each from offset 32, ended by 0x0D:
//   0      11   name, ASCII, 0x00-padded
//   11     1    type letter
//   12     4    offset inside the record (cross-check only)
//   16     1    length; for C fields the low byte of the width
//   17     1    decimals; for C fields the high byte of the width (widths above 255)
//   18     1    flags (later variant: 0x01 system, 0x02 nullable, 0x04 binary)
//   19     13   autoincrement data and reserved, zero
// Later-variant tables (0x30-0x32) carry 263 extra bytes after the 0x0D. Their hidden system
// field _NullFlags (type '0') holds bits in field order, from bit 0 of its first byte: each V
// (varchar) and Q (varbinary) field takes one, set when the value is shorter than the field and
// its length is in the field's last byte; then each nullable field takes one, set when it is
// null. W (blob) fields are memos with 4-byte pointers.
inline constexpr size_t kTableHeaderSize = 32;
inline constexpr size_t kFieldDescriptorSize = 32;
inline constexpr size_t kBacklinkSize = 263;
inline constexpr uint8_t kVersionNoMemo = 0x03;
inline constexpr uint8_t kVersionFoxMemo = 0xF5;
inline constexpr uint8_t kVersionDbtMemo = 0x83;
inline constexpr uint8_t kVersionDbtIVMemo = 0x8B;
inline constexpr uint8_t kFlagStructuralIndex = 0x01;
inline constexpr uint8_t kCodePageWindows1252 = 0x03;
inline constexpr char kHeaderTerminator = 0x0D;
inline constexpr char kEndOfFile = 0x1A;
inline constexpr char kLiveFlag = ' ';
inline constexpr char kDeletedFlag = '*';
inline constexpr size_t kMaxRecordLength = 65535;
inline constexpr uint8_t kFieldNullable = 0x02;
inline constexpr char kNullFlagsType = '0';

struct FieldDescriptor {
  std::string name;  // upper case as stored
  char type = 'C';
  uint32_t offset = 0;  // inside the record, the deletion flag being byte 0
  uint32_t width = 0;
  uint32_t decimals = 0;  // 0 for C fields, whose high width byte shares this slot on disk
  uint8_t flags = 0;
  // Bits of the record's _NullFlags field (at nullFlagsOffset in the record): the field is null,
  // the V/Q value's length is in its last byte. -1 when the field has no such bit.
  int nullBit = -1;
  int lengthBit = -1;
  uint32_t nullFlagsOffset = 0;

  bool isMemo() const { return type == 'M' || type == 'G' || type == 'P' || type == 'W'; }
};

struct DbfHeader {
  uint8_t version = kVersionNoMemo;
  int year = 0, month = 1, day = 1;  // full year
  uint32_t recordCount = 0;
  uint32_t headerLength = 0;
  uint32_t recordLength = 0;
  uint8_t flags = 0;
  uint8_t codePage = kCodePageWindows1252;
  std::vector<FieldDescriptor> fields;

  bool hasMemoFields() const;
  // Index of the field named `name` (ignoring case), or -1.
  int fieldIndex(std::string_view name) const;
};

// Parses the first 32 bytes alone: version, count, lengths. Throws Error naming `fileName` when
// the bytes cannot be a table header.
DbfHeader parseTableHeader(std::string_view first32, std::string_view fileName);
// Parses the descriptors in `headerBytes` (the first headerLength bytes of the file) into
// `header.fields`, checking that the fields fill the record exactly.
void parseFieldDescriptors(std::string_view headerBytes, DbfHeader& header,
                           std::string_view fileName);

// The header, descriptors and terminator for a FoxPro 2.x table (no 263-byte area).
std::string serializeDbfHeader(const DbfHeader& header);
// Bytes 1-7: the update date and the record count, written together after each append.
std::string serializeDateAndCount(const DbfHeader& header);

// Builds the header of a new table from field definitions; the version byte follows from the
// presence of memo fields. Throws Error on an invalid definition.
DbfHeader makeDbfHeader(const std::vector<FieldDescriptor>& fields, bool structuralIndex);

// Sets the update date fields to today.
void stampToday(DbfHeader& header);

}  // namespace savora::xbase
