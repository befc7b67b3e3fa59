#include "xbase/record_codec.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "platform/text.h"
#include "xbase/byte_order.h"

namespace savora::xbase {

std::string formatNumber(double value, uint32_t width, uint32_t decimals) {
  if (!std::isfinite(value)) return std::string(width, '*');
  // Most numbers written are whole (codes, counts): written without the formatting machinery.
  if (decimals == 0 && std::abs(value) < 1e15 && value == std::trunc(value)) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, int64_t(value)).ptr;
    const size_t length = size_t(end - digits);
    if (length > width) return std::string(width, '*');
    std::string text(width - length, ' ');
    return text.append(digits, length);
  }
  std::string text = platform::formatText("%.*f", int(decimals), value);
  if (text == "-0" ||
      (text.size() > 1 && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos))
    text.erase(0, 1);  // no negative zero after rounding
  if (text.size() > width) {
    // Give up decimals before giving up the integer part, as the field would show it.
    if (decimals > 0) {
      std::string shorter = platform::formatText("%.0f", value);
      if (shorter.size() <= width) return std::string(width - shorter.size(), ' ') + shorter;
    }
    return std::string(width, '*');
  }
  return std::string(width - text.size(), ' ') + text;
}

namespace {

enum class WholeNumber { Blank, Read, Other };

// Most numbers in tables are whole (codes, counts): text of blanks around an optional '-' and at
// most 15 digits is read here, without a copy or strtod. Returns its value in plain registers
// (an optional built on the stack costs a stall per field on a walk).
WholeNumber readWholeNumber(std::string_view text, double& value) {
  size_t first = 0, last = text.size();
  while (first < last && text[first] == ' ') ++first;
  if (first == last) return WholeNumber::Blank;
  while (text[last - 1] == ' ') --last;
  const bool negative = text[first] == '-';
  const std::string_view digits = text.substr(first + negative, last - first - negative);
  if (digits.empty() || digits.size() > 15) return WholeNumber::Other;
  int64_t whole = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return WholeNumber::Other;
    whole = whole * 10 + (c - '0');
  }
  value = double(negative ? -whole : whole);
  return WholeNumber::Read;
}

}  // namespace

std::optional<double> parseNumber(std::string_view text) {
  double whole = 0;
  switch (readWholeNumber(text, whole)) {
    case WholeNumber::Blank:
      return std::nullopt;
    case WholeNumber::Read:
      return whole;
    case WholeNumber::Other:
      break;
  }
  const std::string trimmed = platform::trim(text);
  if (trimmed.empty()) return std::nullopt;
  const char* begin = trimmed.c_str();
  char* end = nullptr;
  const double value = std::strtod(begin, &end);
  if (end != begin + trimmed.size()) return std::nullopt;
  // strtod also takes hex and "inf"; field text is plain decimal.
  for (const char* p = begin; p < end; ++p)
    if (!std::strchr("0123456789+-.eE", *p)) return std::nullopt;
  return value;
}

std::string padText(std::string_view text, size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's algorithm).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = unsigned(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + int64_t(doe) - 719468;
}

constexpr int64_t kJulianDayOf1970 = 2440588;

}  // namespace

std::optional<int64_t> julianDayOfDate(std::string_view s) {
  if (s.size() != 8) return std::nullopt;
  for (char c : s)
    if (c < '0' || c > '9') return std::nullopt;
  const int y = std::atoi(std::string(s.substr(0, 4)).c_str());
  const int m = std::atoi(std::string(s.substr(4, 2)).c_str());
  const int d = std::atoi(std::string(s.substr(6, 2)).c_str());
  if (m < 1 || m > 12 || d < 1 || d > 31) return std::nullopt;
  return daysFromCivil(y, unsigned(m), unsigned(d)) + kJulianDayOf1970;
}

std::string dateOfJulianDay(int64_t julianDay) {
  int64_t z = julianDay - kJulianDayOf1970 + 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = unsigned(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t y = int64_t(yoe) + era * 400;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const unsigned d = doy - (153 * mp + 2) / 5 + 1;
  const unsigned m = mp < 10 ? mp + 3 : mp - 9;
  return platform::formatText("%04lld%02u%02u", static_cast<long long>(y + (m <= 2)), m, d);
}

std::optional<uint32_t> parseMemoPointer(std::string_view raw) {
  if (raw.size() == 4) return readLe32(raw.data());
  auto blank = [](char c) { return c == ' ' || c == '\0'; };
  size_t i = 0;
  while (i < raw.size() && blank(raw[i])) ++i;
  uint64_t value = 0;
  for (; i < raw.size() && raw[i] >= '0' && raw[i] <= '9'; ++i) {
    value = value * 10 + uint64_t(raw[i] - '0');
    if (value > 0xFFFFFFFFu) return std::nullopt;
  }
  for (; i < raw.size(); ++i)
    if (!blank(raw[i])) return std::nullopt;
  return uint32_t(value);
}

std::string formatMemoPointer(uint32_t block, uint32_t width) {
  if (width == 4) {
    std::string out(4, '\0');
    writeLe32(out.data(), block);
    return out;
  }
  if (block == 0) return std::string(width, ' ');
  const std::string digits = std::to_string(block);
  return std::string(width > digits.size() ? width - digits.size() : 0, ' ') + digits;
}

double numericValue(const FieldDescriptor& f, std::string_view raw) {
  switch (f.type) {
    case 'I':
      return raw.size() == 4 ? double(int32_t(readLe32(raw.data()))) : 0.0;
    case 'B': {
      if (raw.size() != 8) return 0.0;
      uint64_t bits = uint64_t(readLe32(raw.data())) | uint64_t(readLe32(raw.data() + 4)) << 32;
      double d;
      std::memcpy(&d, &bits, sizeof d);
      return d;
    }
    case 'Y': {
      if (raw.size() != 8) return 0.0;
      const uint64_t bits = uint64_t(readLe32(raw.data())) | uint64_t(readLe32(raw.data() + 4))
                                                                 << 32;
      return double(int64_t(bits)) / 10000.0;
    }
    default: {
      double value = 0;
      switch (readWholeNumber(raw, value)) {
        case WholeNumber::Blank:
          return 0.0;
        case WholeNumber::Read:
          return value;
        case WholeNumber::Other:
          break;
      }
      return parseNumber(raw).value_or(0.0);
    }
  }
}

FieldBytes fieldBytes(const FieldDescriptor& f, std::string_view record) {
  FieldBytes out;
  if (uint64_t(f.offset) + f.width > record.size() || f.width == 0) return out;
  auto bitSet = [&](int bit) {
    const size_t byte = f.nullFlagsOffset + size_t(bit) / 8;
    return byte < record.size() && ((byteAt(&record[byte]) >> (bit % 8)) & 1) != 0;
  };
  if (f.nullBit >= 0 && bitSet(f.nullBit)) {
    out.null = true;
    return out;
  }
  out.bytes = record.substr(f.offset, f.width);
  if (f.lengthBit >= 0 && bitSet(f.lengthBit)) {
    size_t used = byteAt(&out.bytes.back());
    if (used > f.width - 1) {
      out.badLength = true;
      used = f.width - 1;
    }
    out.bytes = out.bytes.substr(0, used);
  }
  return out;
}

std::string displayText(const FieldDescriptor& f, std::string_view raw) {
  switch (f.type) {
    case 'V':
    case 'Q':
      return std::string(raw);
    case kNullFlagsType: {
      std::string out;
      for (char c : raw) out += platform::formatText("%02X", byteAt(&c));
      return out;
    }
    case 'N':
    case 'F':
      return platform::trim(raw);
    case 'I':
      return std::to_string(int32_t(raw.size() == 4 ? readLe32(raw.data()) : 0));
    case 'B':
      return platform::formatText("%.*g", 17, numericValue(f, raw));
    case 'Y':
      return platform::formatText("%.4f", numericValue(f, raw));
    case 'D':
      return platform::trim(raw);
    case 'L': {
      const char c = raw.empty() ? ' ' : raw[0];
      if (std::strchr("TtYy", c)) return "T";
      if (std::strchr("FfNn", c)) return "F";
      return "";
    }
    case 'T': {
      if (raw.size() != 8) return "";
      const uint32_t day = readLe32(raw.data());
      if (day == 0) return "";
      // To the nearest second, so that 13:35:38.999 shows as 13:35:39 (and 23:59:59.5 as the
      // next midnight), as the time would be shown anywhere else.
      const uint64_t seconds = (uint64_t(readLe32(raw.data() + 4)) + 500) / 1000;
      const uint64_t second = seconds % 86400;
      return dateOfJulianDay(int64_t(day) + int64_t(seconds / 86400)) +
             platform::formatText(" %02u:%02u:%02u", unsigned(second / 3600),
                                  unsigned(second / 60 % 60), unsigned(second % 60));
    }
    case 'M':
    case 'G':
    case 'P':
    case 'W': {
      const auto block = parseMemoPointer(raw);
      return block && *block ? std::to_string(*block) : "";
    }
    default:
      return platform::trimRight(raw);
  }
}

}  // namespace savora::xbase
