// The functions of the expression language: checking a call's arguments when it is parsed, and
// computing its value. Text results carry the width a key made from them has.
#include <algorithm>

#include "platform/text.h"
#include "xbase/key_expr_node.h"
#include "xbase/record_codec.h"

namespace savora::xbase {
namespace {

using K = Value::Kind;

// Argument checks of one call; the first problem found is kept in `error`.
class CallCheck {
 public:
  CallCheck(const std::string& name, const std::vector<ExprNodePtr>& args, std::string& error)
      : name_(name), args_(args), error_(error) {}

  bool count(size_t low, size_t high) {
    if (args_.size() < low || args_.size() > high)
      return failed("wrong argument count for " + name_);
    return true;
  }
  bool kind(size_t i, K kind, const char* what) {
    if (i < args_.size() && args_[i]->kind != kind) return failed(name_ + " needs " + what);
    return true;
  }
  // Arguments that size a key must be known without a record.
  bool constant(size_t i, double low, double high) {
    if (i >= args_.size()) return true;
    const ExprNode& a = *args_[i];
    if (a.op != Op::Constant || a.kind != K::Number)
      return failed("arguments after the first of " + name_ + " must be number constants");
    if (a.constant.number < low || a.constant.number > high)
      return failed(name_ + " argument out of range");
    return true;
  }
  double number(size_t i, double otherwise) const {
    return i < args_.size() ? args_[i]->constant.number : otherwise;
  }
  bool ok() const { return error_.empty(); }

 private:
  bool failed(const std::string& why) {
    if (error_.empty()) error_ = why;
    return false;
  }
  const std::string& name_;
  const std::vector<ExprNodePtr>& args_;
  std::string& error_;
};

std::string dateText(double julianDay, bool american) {
  if (julianDay <= 0) return american ? "  /  /  " : std::string(8, ' ');
  const std::string ymd = dateOfJulianDay(int64_t(julianDay));
  if (!american) return ymd;
  // FoxPro's default date format: SET DATE AMERICAN, SET CENTURY OFF.
  return ymd.substr(4, 2) + "/" + ymd.substr(6, 2) + "/" + ymd.substr(2, 2);
}

std::string pad(const std::string& text, size_t width, char with, bool left) {
  if (text.size() >= width) return text.substr(0, width);
  const std::string fill(width - text.size(), with);
  return left ? fill + text : text + fill;
}

// A character count from a number argument; negative counts take nothing.
size_t countOf(double n) {
  return n > 0 ? size_t(std::min(n, 65535.0)) : 0;
}

}  // namespace

ExprNodePtr makeCall(const std::string& name, std::vector<ExprNodePtr> args, std::string& error) {
  CallCheck check(name, args, error);
  auto made = [&](Op op, K kind, uint32_t width) {
    return check.ok() ? makeNode(op, kind, std::move(args), width) : nullptr;
  };
  const uint32_t firstWidth = args.empty() ? 0 : args[0]->width;
  if (name == "STR") {
    check.count(1, 3);
    check.kind(0, K::Number, "a number");
    check.constant(1, 1, 255);
    check.constant(2, 0, 253);
    return made(Op::Str, K::Text, uint32_t(check.number(1, 10)));
  }
  static const struct {
    const char* name;
    Op op;
  } kTextFunctions[] = {{"UPPER", Op::Upper}, {"LOWER", Op::Lower}, {"TRIM", Op::RTrim},
                        {"RTRIM", Op::RTrim}, {"LTRIM", Op::LTrim}, {"ALLTRIM", Op::AllTrim}};
  for (const auto& f : kTextFunctions) {
    if (name != f.name) continue;
    check.count(1, 1);
    check.kind(0, K::Text, "text");
    return made(f.op, K::Text, firstWidth);
  }
  if (name == "SUBSTR") {
    check.count(2, 3);
    check.kind(0, K::Text, "text");
    check.kind(1, K::Number, "a number");
    check.constant(2, -65535, 65535);
    uint32_t width = firstWidth;
    if (args.size() > 2) {
      width = std::min<uint32_t>(width, uint32_t(countOf(check.number(2, 0))));
    } else if (check.constant(1, -65535, 65535)) {
      const double start = check.number(1, 1);
      width = start >= 1 && start <= width ? width - uint32_t(start) + 1 : 0;
    }
    return made(Op::Substr, K::Text, width);
  }
  if (name == "LEFT" || name == "RIGHT") {
    check.count(2, 2);
    check.kind(0, K::Text, "text");
    check.constant(1, -65535, 65535);
    const uint32_t width = std::min<uint32_t>(firstWidth, uint32_t(countOf(check.number(1, 0))));
    return made(name == "LEFT" ? Op::Left : Op::Right, K::Text, width);
  }
  if (name == "PADL" || name == "PADR") {
    check.count(2, 3);
    check.kind(0, K::Text, "text");
    check.constant(1, 0, 255);
    check.kind(2, K::Text, "text to pad with");
    return made(name == "PADL" ? Op::PadL : Op::PadR, K::Text, uint32_t(check.number(1, 0)));
  }
  if (name == "DTOS") {
    check.count(1, 1);
    check.kind(0, K::Date, "a date");
    return made(Op::Dtos, K::Text, 8);
  }
  if (name == "DTOC") {
    // DTOC(d, 1) is DTOS(d).
    check.count(1, 2);
    check.kind(0, K::Date, "a date");
    check.constant(1, 1, 1);
    return made(args.size() > 1 ? Op::Dtos : Op::Dtoc, K::Text, 8);
  }
  if (name == "VAL") {
    check.count(1, 1);
    check.kind(0, K::Text, "text");
    return made(Op::Val, K::Number, 0);
  }
  if (name == "IIF") {
    check.count(3, 3);
    check.kind(0, K::Logical, "a condition first");
    if (check.ok() && args[1]->kind != args[2]->kind)
      check.kind(2, args[1]->kind, "two values of one type");
    const K kind = args.size() > 1 ? args[1]->kind : K::Text;
    const uint32_t width = args.size() > 2 ? std::max(args[1]->width, args[2]->width) : 0;
    return made(Op::Iif, kind, width);
  }
  if (name == "RECNO" || name == "DELETED") {
    check.count(0, 0);
    return name == "RECNO" ? made(Op::Recno, K::Number, 0) : made(Op::Deleted, K::Logical, 0);
  }
  error = "unknown function " + name;
  return nullptr;
}

Value evaluateCall(const ExprNode& n, const EvalContext& context) {
  Value v;
  v.kind = n.kind;
  auto arg = [&](size_t i) { return evaluateNode(*n.args[i], context); };
  switch (n.op) {
    case Op::Str: {
      const Value x = arg(0);
      const uint32_t width = n.args.size() > 1 ? uint32_t(arg(1).number) : 10;
      const uint32_t decimals = n.args.size() > 2 ? uint32_t(arg(2).number) : 0;
      v.text = formatNumber(x.number, width, decimals);
      return v;
    }
    case Op::Upper:
      v.text = platform::toUpper(arg(0).text);
      return v;
    case Op::Lower:
      v.text = platform::toLower(arg(0).text);
      return v;
    case Op::RTrim:
      v.text = platform::trimRight(arg(0).text);
      return v;
    case Op::LTrim:
      v.text = platform::trimLeft(arg(0).text);
      return v;
    case Op::AllTrim:
      v.text = platform::trim(arg(0).text);
      return v;
    case Op::Substr:
    case Op::Left:
    case Op::Right: {
      const std::string s = arg(0).text;
      const size_t count =
          countOf(n.op == Op::Substr ? (n.args.size() > 2 ? arg(2).number : double(s.size()))
                                     : arg(1).number);
      if (n.op == Op::Right) {
        v.text = s.substr(s.size() - std::min(count, s.size()));
        return v;
      }
      const double start = n.op == Op::Substr ? std::max(1.0, arg(1).number) : 1.0;
      if (start <= double(s.size())) v.text = s.substr(size_t(start) - 1, count);
      return v;
    }
    case Op::PadL:
    case Op::PadR: {
      const std::string with = n.args.size() > 2 ? arg(2).text : " ";
      v.text =
          pad(arg(0).text, countOf(arg(1).number), with.empty() ? ' ' : with[0], n.op == Op::PadL);
      return v;
    }
    case Op::Dtos:
    case Op::Dtoc:
      v.text = dateText(arg(0).number, n.op == Op::Dtoc);
      return v;
    case Op::Val:
      v.number = parseNumber(arg(0).text).value_or(0.0);
      return v;
    case Op::Iif:
      return arg(0).logical ? arg(1) : arg(2);
    case Op::Recno:
      v.number = context.recordNumber;
      return v;
    case Op::Deleted:
      v.logical = !context.record.empty() && context.record[0] == kDeletedFlag;
      return v;
    default:
      return v;
  }
}

}  // namespace savora::xbase
