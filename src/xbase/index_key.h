// Index keys: the sortable bytes an expression value becomes in a tag (blank-padded text,
// order-preserving doubles, biased integers) and their readable form.
#pragma once

#include <cstdint>
#include <string>

#include "xbase/key_expr.h"

namespace savora::xbase {

// How a tag's keys are made from expression values.
struct KeyFormat {
  enum class Type { Character, Numeric, Integer };
  Type type = Type::Character;
  uint16_t length = 0;

  // The byte that trailing key bytes are compressed against in leaf pages.
  char fill() const { return type == Type::Character ? ' ' : '\0'; }
};

inline constexpr uint16_t kMaxKeyLength = 240;

// Key format of a new tag over `expression`; throws Error when it cannot be a key.
KeyFormat keyFormatFor(const Expression& expression);
// The key bytes of `value` in `format`: text blank-padded or cut, numbers and dates as
// order-preserving big-endian doubles, integers as big-endian value + 2^31.
std::string makeKey(const Value& value, const KeyFormat& format);
std::string numberKey(double value);
// Readable form of key bytes: the text of a character key, the number of a numeric or
// integer key.
std::string describeKey(const std::string& key, const KeyFormat& format);
std::string integerKey(int32_t value);

}  // namespace savora::xbase
