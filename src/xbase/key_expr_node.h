// Inside the expression language: the parsed tree shared by the parser and evaluator
// (key_expr.cpp) and the functions (key_functions.cpp). Not for use outside the library.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/dbf_header.h"
#include "xbase/expr_value.h"

namespace savora::xbase {

enum class Op {
  Field,
  Constant,
  Add,
  Subtract,
  Compare,
  And,
  Or,
  Not,
  // Functions (key_functions.cpp).
  Str,
  Upper,
  Lower,
  RTrim,
  LTrim,
  AllTrim,
  Substr,
  Left,
  Right,
  PadL,
  PadR,
  Dtos,
  Dtoc,
  Val,
  Iif,
  Recno,
  Deleted,
};

enum class Cmp { Equal, Exact, NotEqual, Less, LessEqual, Greater, GreaterEqual, Contains };

struct ExprNode {
  Op op = Op::Constant;
  Cmp cmp = Cmp::Equal;
  Value::Kind kind = Value::Kind::Text;
  uint32_t width = 0;
  FieldDescriptor field;
  int fieldIndex = -1;
  Value constant;
  std::vector<std::shared_ptr<const ExprNode>> args;
};

using ExprNodePtr = std::shared_ptr<const ExprNode>;

// What an evaluation reads: one record's bytes (deletion flag first) and its number (0 when
// unknown).
struct EvalContext {
  std::string_view record;
  uint32_t recordNumber = 0;
};

Value evaluateNode(const ExprNode& node, const EvalContext& context);

ExprNodePtr makeNode(Op op, Value::Kind kind, std::vector<ExprNodePtr> args, uint32_t width = 0);

// The node of a call of function `name` (upper case) on `args`; nullptr with `error` set when
// the function is unknown or its arguments do not fit it.
ExprNodePtr makeCall(const std::string& name, std::vector<ExprNodePtr> args, std::string& error);

// Evaluates a function node.
Value evaluateCall(const ExprNode& node, const EvalContext& context);

}  // namespace savora::xbase
