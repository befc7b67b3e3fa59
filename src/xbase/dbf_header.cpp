#include "xbase/dbf_header.h"

#include <ctime>
#include <set>
#include <string>

#include "platform/text.h"
#include "xbase/byte_order.h"
#include "xbase/error.h"

namespace savora::xbase {
namespace {

bool isTableVersion(uint8_t v) {
  switch (v) {
    case 0x02:
    case 0x03:
    case 0x30:
    case 0x31:
    case 0x32:
    case 0x43:
    case 0x63:
    case 0x83:
    case 0x8B:
    case 0xCB:
    case 0xF5:
    case 0xFB:
      return true;
    default:
      return false;
  }
}

// Letters, digits and '_'; a name may start with a digit (the recipe tables' line notes are
// "1INFO1", "2INFO1", ...), which other readers accept, but not with '_'.
bool isValidNameChar(char c, bool first) {
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  return !first && c == '_';
}

// Numbers the _NullFlags bits of the fields (see the header layout). Bits past the end of the
// _NullFlags field are left unassigned: such fields read as never null and full length.
void assignNullFlagBits(std::vector<FieldDescriptor>& fields) {
  const FieldDescriptor* flags = nullptr;
  for (const FieldDescriptor& f : fields)
    if (f.type == kNullFlagsType && !flags) flags = &f;
  if (!flags) return;
  const int bits = int(flags->width) * 8;
  int next = 0;
  for (FieldDescriptor& f : fields) {
    if (&f == flags) continue;
    f.nullFlagsOffset = flags->offset;
    if ((f.type == 'V' || f.type == 'Q') && next < bits) f.lengthBit = next++;
    if ((f.flags & kFieldNullable) && next < bits) f.nullBit = next++;
  }
}

}  // namespace

bool DbfHeader::hasMemoFields() const {
  for (const FieldDescriptor& f : fields)
    if (f.isMemo()) return true;
  return false;
}

int DbfHeader::fieldIndex(std::string_view name) const {
  for (size_t i = 0; i < fields.size(); ++i)
    if (platform::equalsIgnoreCase(fields[i].name, name)) return int(i);
  return -1;
}

DbfHeader parseTableHeader(std::string_view bytes, std::string_view fileName) {
  const std::string file(fileName);
  if (bytes.size() < kTableHeaderSize)
    raise("reading table %s: the file is %zu bytes long, shorter than a table header", file.c_str(),
          bytes.size());
  const char* p = bytes.data();
  DbfHeader h;
  h.version = byteAt(p);
  if (!isTableVersion(h.version))
    raise("reading table %s: byte 0 is 0x%02X, not a known table version", file.c_str(), h.version);
  const int year = byteAt(p + 1);
  h.year = year >= 100 ? 1900 + year : (year < 50 ? 2000 + year : 1900 + year);
  h.month = byteAt(p + 2);
  h.day = byteAt(p + 3);
  h.recordCount = readLe32(p + 4);
  h.headerLength = readLe16(p + 8);
  h.recordLength = readLe16(p + 10);
  h.flags = byteAt(p + 28);
  h.codePage = byteAt(p + 29);
  if (h.headerLength < kTableHeaderSize + 1)
    raise("reading table %s: header length %u at offset 8 is too small", file.c_str(),
          h.headerLength);
  if (h.recordLength < 1)
    raise("reading table %s: record length at offset 10 is zero", file.c_str());
  return h;
}

void parseFieldDescriptors(std::string_view bytes, DbfHeader& h, std::string_view fileName) {
  const std::string file(fileName);
  if (bytes.size() < h.headerLength)
    raise("reading table %s: the file ends inside its %u-byte header", file.c_str(),
          h.headerLength);
  h.fields.clear();
  uint32_t offset = 1;
  size_t pos = kTableHeaderSize;
  for (;;) {
    if (pos >= h.headerLength)
      raise("reading table %s: no field list terminator before the header ends at %u", file.c_str(),
            h.headerLength);
    const char first = bytes[pos];
    // Some copies end the list with a line feed instead of 0x0D; accept it only where a
    // terminator fits exactly, so that a damaged descriptor is not taken for the end.
    if (first == kHeaderTerminator) break;
    if (first == 0x0A && (pos + 1 == h.headerLength || pos + 1 + kBacklinkSize == h.headerLength))
      break;
    if (pos + kFieldDescriptorSize > h.headerLength)
      raise("reading table %s: field descriptor at offset %zu runs past the header", file.c_str(),
            pos);
    const char* d = bytes.data() + pos;
    FieldDescriptor f;
    size_t nameLength = 0;
    while (nameLength < 11 && d[nameLength] != 0) ++nameLength;
    f.name.assign(d, nameLength);
    if (f.name.empty() || nameLength == 11)
      raise("reading table %s: field descriptor at offset %zu has no valid name", file.c_str(),
            pos);
    f.type = platform::toUpperAscii(d[11]);
    f.width = byteAt(d + 16);
    f.decimals = byteAt(d + 17);
    f.flags = byteAt(d + 18);
    if (f.type == 'C') {
      f.width += f.decimals * 256;
      f.decimals = 0;
    }
    if (f.width == 0)
      raise("reading table %s: field %s (descriptor at offset %zu) has width 0", file.c_str(),
            f.name.c_str(), pos);
    f.offset = offset;
    offset += f.width;
    h.fields.push_back(std::move(f));
    pos += kFieldDescriptorSize;
  }
  if (offset != h.recordLength)
    raise("reading table %s: the fields add up to %u bytes per record but the header says %u",
          file.c_str(), offset, h.recordLength);
  assignNullFlagBits(h.fields);
}

std::string serializeDbfHeader(const DbfHeader& h) {
  std::string out(kTableHeaderSize + kFieldDescriptorSize * h.fields.size() + 1, '\0');
  char* p = out.data();
  p[0] = char(h.version);
  p[1] = char(h.year % 100);
  p[2] = char(h.month);
  p[3] = char(h.day);
  writeLe32(p + 4, h.recordCount);
  writeLe16(p + 8, uint16_t(h.headerLength));
  writeLe16(p + 10, uint16_t(h.recordLength));
  p[28] = char(h.flags);
  p[29] = char(h.codePage);
  for (size_t i = 0; i < h.fields.size(); ++i) {
    const FieldDescriptor& f = h.fields[i];
    char* d = p + kTableHeaderSize + kFieldDescriptorSize * i;
    f.name.copy(d, std::min<size_t>(f.name.size(), 10));
    d[11] = f.type;
    writeLe32(d + 12, f.offset);
    if (f.type == 'C') {
      d[16] = char(f.width & 0xFF);
      d[17] = char(f.width >> 8);
    } else {
      d[16] = char(f.width);
      d[17] = char(f.decimals);
    }
  }
  out.back() = kHeaderTerminator;
  return out;
}

std::string serializeDateAndCount(const DbfHeader& h) {
  std::string out(7, '\0');
  out[0] = char(h.year % 100);
  out[1] = char(h.month);
  out[2] = char(h.day);
  writeLe32(out.data() + 3, h.recordCount);
  return out;
}

void stampToday(DbfHeader& h) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  h.year = local.tm_year + 1900;
  h.month = local.tm_mon + 1;
  h.day = local.tm_mday;
}

DbfHeader makeDbfHeader(const std::vector<FieldDescriptor>& fields, bool structuralIndex) {
  if (fields.empty()) raise("creating a table: it needs at least one field");
  if (fields.size() > 255) raise("creating a table: %zu fields, at most 255", fields.size());
  DbfHeader h;
  std::set<std::string> names;
  uint32_t offset = 1;
  for (FieldDescriptor f : fields) {
    f.name = platform::toUpper(f.name);
    f.type = platform::toUpperAscii(f.type);
    bool nameOk = !f.name.empty() && f.name.size() <= 10;
    for (size_t i = 0; nameOk && i < f.name.size(); ++i)
      nameOk = isValidNameChar(f.name[i], i == 0);
    if (!nameOk)
      raise(
          "creating a table: field name \"%s\" must be 1-10 letters, digits or _, not "
          "starting with _",
          f.name.c_str());
    if (!names.insert(f.name).second)
      raise("creating a table: field name %s appears twice", f.name.c_str());
    switch (f.type) {
      case 'C':
        if (f.width < 1 || f.width > 32767)
          raise("creating a table: character field %s has width %u (1-32767)", f.name.c_str(),
                f.width);
        f.decimals = 0;
        break;
      case 'N':
      case 'F':
        if (f.width < 1 || f.width > 20 || (f.decimals > 0 && f.decimals + 2 > f.width))
          raise("creating a table: numeric field %s has width %u and %u decimals", f.name.c_str(),
                f.width, f.decimals);
        break;
      case 'M':
        f.width = 10;
        f.decimals = 0;
        break;
      case 'D':
        f.width = 8;
        f.decimals = 0;
        break;
      case 'L':
        f.width = 1;
        f.decimals = 0;
        break;
      default:
        raise("creating a table: field %s has type '%c'; new tables take C, N, F, D, L and M",
              f.name.c_str(), f.type);
    }
    f.offset = offset;
    f.flags = 0;
    offset += f.width;
    h.fields.push_back(f);
  }
  if (offset > kMaxRecordLength)
    raise("creating a table: records would be %u bytes long, more than %zu", offset,
          kMaxRecordLength);
  h.version = h.hasMemoFields() ? kVersionFoxMemo : kVersionNoMemo;
  h.recordLength = offset;
  h.headerLength = uint32_t(kTableHeaderSize + kFieldDescriptorSize * h.fields.size() + 1);
  h.flags = structuralIndex ? kFlagStructuralIndex : 0;
  h.codePage = kCodePageWindows1252;
  stampToday(h);
  return h;
}

}  // namespace savora::xbase
