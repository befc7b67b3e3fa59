// The value of an expression: text, number, date or logical.
#pragma once

#include <string>

namespace savora::xbase {

struct Value {
  enum class Kind { Text, Number, Date, Logical };
  Kind kind = Kind::Text;
  std::string text;   // Text
  double number = 0;  // Number; Date as Julian Day Number, 0 when blank
  bool logical = false;
};

}  // namespace savora::xbase
