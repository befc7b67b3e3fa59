// Record codec: the bytes of one field value inside a record and their meaning. Numbers are ASCII
// right-aligned in the field width with exactly its decimals; text is blank-padded; memo pointers
// are ten ASCII digits (or four little-endian bytes in the later variant).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "xbase/dbf_header.h"

namespace savora::xbase {

// `value` right-aligned in `width` with `decimals` places, rounded; all '*' when it does not fit.
std::string formatNumber(double value, uint32_t width, uint32_t decimals);
// The number in a field's text (blanks around it allowed); nothing for blank or malformed text.
std::optional<double> parseNumber(std::string_view text);

// `text` cut or blank-padded to exactly `width` bytes.
std::string padText(std::string_view text, size_t width);

// Julian Day Number of an ASCII "YYYYMMDD" date, or nothing when blank or invalid.
std::optional<int64_t> julianDayOfDate(std::string_view yyyymmdd);
// "YYYYMMDD" of a Julian Day Number.
std::string dateOfJulianDay(int64_t julianDay);

// The memo block a memo field points at; 0 when blank. Nothing when the bytes are no number.
std::optional<uint32_t> parseMemoPointer(std::string_view raw);
// The field bytes for memo block `block` (0 = no memo) in a field of `width` 10 or 4.
std::string formatMemoPointer(uint32_t block, uint32_t width);

// Where a field's value lies in a record: the field's bytes, or the part a V or Q field uses;
// empty when the field is null or lies outside the record.
struct FieldBytes {
  std::string_view bytes;
  bool null = false;
  bool badLength = false;  // a V/Q length byte past the field's end (the value is cut there)
};
FieldBytes fieldBytes(const FieldDescriptor& field, std::string_view record);

// The value of a field of any type as display text: C trimmed at the right; N, F, I, B, Y as
// plain numbers; D as YYYYMMDD; L as T/F/blank; T as "YYYYMMDD HH:MM:SS"; V and Q as they are;
// _NullFlags as hex digits. Memo fields give their block number.
std::string displayText(const FieldDescriptor& field, std::string_view raw);

// The numeric value of an N, F, I, B or Y field; 0 when blank.
double numericValue(const FieldDescriptor& field, std::string_view raw);

}  // namespace savora::xbase
