// Key and filter expressions: the small expression language of tag keys, FOR filters and
// queries. Field names, string and number constants, + concatenation, comparisons, .AND. .OR.
// .NOT., and the functions STR, UPPER, LOWER, TRIM/RTRIM, LTRIM, ALLTRIM, SUBSTR, LEFT, RIGHT,
// PADL, PADR, DTOS, DTOC (MM/DD/YY), VAL, IIF, RECNO() and DELETED() (key_functions.cpp).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "xbase/dbf_header.h"
#include "xbase/expr_value.h"

namespace savora::xbase {

// The parsed form of an expression (key_expr_node.h).
struct ExprNode;

class Expression {
 public:
  // Parses `text` against the table's fields; throws Error naming the expression and the
  // position of the problem. Field names compare ignoring case.
  static Expression parse(std::string_view text, const std::vector<FieldDescriptor>& fields);

  Expression();
  ~Expression();
  Expression(const Expression&);
  Expression& operator=(const Expression&);
  Expression(Expression&&) noexcept;
  Expression& operator=(Expression&&) noexcept;

  // Evaluates on one record's bytes (deletion flag first); RECNO() gives `recordNumber`. Never
  // throws for record content: malformed numbers count as 0, malformed dates as blank.
  Value evaluate(std::string_view record, uint32_t recordNumber = 0) const;
  // Kind of every result.
  Value::Kind kind() const;
  // Width of a text result: the field width for a field, the sum for a concatenation, ...
  uint32_t width() const;
  // True when the expression is exactly one 4-byte integer (I) field.
  bool isIntegerField() const;
  // The field that the value begins with when the expression is `F`, `STR(F,..)`, `UPPER(F)`
  // or one of those followed by `+ ...`; -1 otherwise. Lets queries seek instead of scan.
  int leadingField() const;
  // The value of the expression's first term: the part before the first text `+`, or the
  // whole value when there is none.
  Value leadingValue(std::string_view record) const;
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  std::shared_ptr<const ExprNode> root_;
};

}  // namespace savora::xbase
