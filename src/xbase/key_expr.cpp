#include "xbase/key_expr.h"

#include <cctype>
#include <cmath>
#include <cstring>

#include "platform/text.h"
#include "xbase/error.h"
#include "xbase/key_expr_node.h"
#include "xbase/record_codec.h"

namespace savora::xbase {

namespace {

using NodePtr = ExprNodePtr;
using Node = ExprNode;

Value fieldValue(const FieldDescriptor& f, std::string_view record) {
  Value v;
  // A null field reads as blank; a V field as its value, blank-padded below.
  const std::string_view raw = fieldBytes(f, record).bytes;
  switch (f.type) {
    case 'N':
    case 'F':
    case 'I':
    case 'B':
    case 'Y':
      v.kind = Value::Kind::Number;
      v.number = numericValue(f, raw);
      break;
    case 'D':
      v.kind = Value::Kind::Date;
      v.number = double(julianDayOfDate(raw).value_or(0));
      break;
    case 'L':
      v.kind = Value::Kind::Logical;
      v.logical = !raw.empty() && std::strchr("TtYy", raw[0]) != nullptr;
      break;
    default:
      v.kind = Value::Kind::Text;
      v.text.assign(raw);
      v.text.resize(f.width, ' ');
  }
  return v;
}

// FoxPro text comparison: '=' matches when the left side begins with the right one (trailing
// blanks ignored), '==' needs identical bytes; ordering pads the shorter side with blanks.
bool compareText(Cmp cmp, const std::string& a, const std::string& b) {
  const size_t n = std::max(a.size(), b.size());
  const std::string pa = padText(a, n), pb = padText(b, n);
  const int order = std::memcmp(pa.data(), pb.data(), n);
  switch (cmp) {
    case Cmp::Equal: {
      const std::string ta = platform::trimRight(a), tb = platform::trimRight(b);
      return ta.compare(0, tb.size(), tb) == 0;
    }
    case Cmp::Exact:
      return a == b;
    case Cmp::NotEqual: {
      const std::string ta = platform::trimRight(a), tb = platform::trimRight(b);
      return ta.compare(0, tb.size(), tb) != 0;
    }
    case Cmp::Less:
      return order < 0;
    case Cmp::LessEqual:
      return order <= 0;
    case Cmp::Greater:
      return order > 0;
    case Cmp::GreaterEqual:
      return order >= 0;
    case Cmp::Contains:
      return b.find(a) != std::string::npos;
  }
  return false;
}

bool compareNumbers(Cmp cmp, double a, double b) {
  switch (cmp) {
    case Cmp::Equal:
    case Cmp::Exact:
      return a == b;
    case Cmp::NotEqual:
      return a != b;
    case Cmp::Less:
      return a < b;
    case Cmp::LessEqual:
      return a <= b;
    case Cmp::Greater:
      return a > b;
    case Cmp::GreaterEqual:
      return a >= b;
    case Cmp::Contains:
      return false;
  }
  return false;
}

}  // namespace

Value evaluateNode(const Node& n, const EvalContext& context) {
  Value v;
  v.kind = n.kind;
  auto arg = [&](size_t i) { return evaluateNode(*n.args[i], context); };
  switch (n.op) {
    case Op::Field:
      return fieldValue(n.field, context.record);
    case Op::Constant:
      return n.constant;
    case Op::Add:
    case Op::Subtract: {
      const Value a = arg(0), b = arg(1);
      if (n.kind == Value::Kind::Text) {
        v.text = a.text + b.text;
      } else {
        v.number = n.op == Op::Add ? a.number + b.number : a.number - b.number;
      }
      return v;
    }
    case Op::Compare: {
      const Value a = arg(0), b = arg(1);
      if (a.kind == Value::Kind::Text)
        v.logical = compareText(n.cmp, a.text, b.text);
      else if (a.kind == Value::Kind::Logical)
        v.logical = (a.logical == b.logical) == (n.cmp != Cmp::NotEqual);
      else
        v.logical = compareNumbers(n.cmp, a.number, b.number);
      return v;
    }
    case Op::And:
      v.logical = arg(0).logical && arg(1).logical;
      return v;
    case Op::Or:
      v.logical = arg(0).logical || arg(1).logical;
      return v;
    case Op::Not:
      v.logical = !arg(0).logical;
      return v;
    default:
      return evaluateCall(n, context);
  }
}

ExprNodePtr makeNode(Op op, Value::Kind kind, std::vector<ExprNodePtr> args, uint32_t width) {
  auto n = std::make_shared<Node>();
  n->op = op;
  n->kind = kind;
  n->args = std::move(args);
  n->width = width;
  return n;
}

namespace {

class Parser {
 public:
  Parser(std::string_view text, const std::vector<FieldDescriptor>& fields)
      : text_(text), fields_(fields) {}

  NodePtr parseAll() {
    NodePtr n = parseOr();
    skipBlanks();
    if (pos_ != text_.size()) fail("unexpected text");
    return n;
  }

 private:
  [[noreturn]] void fail(const char* why) {
    raise("parsing expression \"%s\": %s at position %zu", std::string(text_).c_str(), why,
          pos_ + 1);
  }
  void skipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
  }
  bool accept(std::string_view token) {
    skipBlanks();
    if (text_.size() - pos_ >= token.size() &&
        platform::equalsIgnoreCase(text_.substr(pos_, token.size()), token)) {
      pos_ += token.size();
      return true;
    }
    return false;
  }
  void expect(std::string_view token) {
    if (!accept(token)) fail(("expected '" + std::string(token) + "'").c_str());
  }

  void need(const NodePtr& n, Value::Kind kind, const char* what) {
    if (n->kind != kind) fail(what);
  }

  NodePtr parseOr() {
    NodePtr left = parseAnd();
    while (accept(".OR.")) {
      NodePtr right = parseAnd();
      need(left, Value::Kind::Logical, ".OR. needs logical values");
      need(right, Value::Kind::Logical, ".OR. needs logical values");
      left = makeNode(Op::Or, Value::Kind::Logical, {left, right});
    }
    return left;
  }
  NodePtr parseAnd() {
    NodePtr left = parseNot();
    while (accept(".AND.")) {
      NodePtr right = parseNot();
      need(left, Value::Kind::Logical, ".AND. needs logical values");
      need(right, Value::Kind::Logical, ".AND. needs logical values");
      left = makeNode(Op::And, Value::Kind::Logical, {left, right});
    }
    return left;
  }
  NodePtr parseNot() {
    skipBlanks();
    if (accept(".NOT.") || (pos_ < text_.size() && text_[pos_] == '!' &&
                            (pos_ + 1 >= text_.size() || text_[pos_ + 1] != '=') && accept("!"))) {
      NodePtr operand = parseNot();
      need(operand, Value::Kind::Logical, ".NOT. needs a logical value");
      return makeNode(Op::Not, Value::Kind::Logical, {operand});
    }
    return parseComparison();
  }
  NodePtr parseComparison() {
    NodePtr left = parseAdditive();
    static const struct {
      const char* token;
      Cmp cmp;
    } kOps[] = {{"==", Cmp::Exact},   {"<>", Cmp::NotEqual},  {"!=", Cmp::NotEqual},
                {"#", Cmp::NotEqual}, {"<=", Cmp::LessEqual}, {">=", Cmp::GreaterEqual},
                {"<", Cmp::Less},     {">", Cmp::Greater},    {"=", Cmp::Equal},
                {"$", Cmp::Contains}};
    for (const auto& op : kOps) {
      if (!accept(op.token)) continue;
      NodePtr right = parseAdditive();
      if (left->kind != right->kind) fail("comparison of different types");
      if (op.cmp == Cmp::Contains && left->kind != Value::Kind::Text) fail("$ needs text");
      auto n = std::make_shared<Node>();
      n->op = Op::Compare;
      n->cmp = op.cmp;
      n->kind = Value::Kind::Logical;
      n->args = {left, right};
      return n;
    }
    return left;
  }
  NodePtr parseAdditive() {
    NodePtr left = parsePrimary();
    for (;;) {
      skipBlanks();
      if (pos_ >= text_.size() || (text_[pos_] != '+' && text_[pos_] != '-')) return left;
      const bool add = text_[pos_++] == '+';
      NodePtr right = parsePrimary();
      if (left->kind != right->kind) fail("+ or - of different types");
      if (left->kind == Value::Kind::Text) {
        if (!add) fail("- on text is not supported");
        left = makeNode(Op::Add, Value::Kind::Text, {left, right}, left->width + right->width);
      } else if (left->kind == Value::Kind::Number) {
        left = makeNode(add ? Op::Add : Op::Subtract, Value::Kind::Number, {left, right});
      } else {
        fail("+ or - needs numbers or text");
      }
    }
  }
  NodePtr parsePrimary() {
    skipBlanks();
    if (pos_ >= text_.size()) fail("missing operand");
    const char c = text_[pos_];
    if (c == '(') {
      ++pos_;
      NodePtr inner = parseOr();
      expect(")");
      return inner;
    }
    if (c == '"' || c == '\'' || c == '[') {
      const char close = c == '[' ? ']' : c;
      const size_t end = text_.find(close, pos_ + 1);
      if (end == std::string_view::npos) fail("unterminated string");
      auto n = std::make_shared<Node>();
      n->op = Op::Constant;
      n->kind = Value::Kind::Text;
      n->constant.text.assign(text_.substr(pos_ + 1, end - pos_ - 1));
      n->width = uint32_t(n->constant.text.size());
      pos_ = end + 1;
      return n;
    }
    if ((c >= '0' && c <= '9') || c == '.' || c == '-') {
      if (accept(".T.") || accept(".F.")) {
        auto n = std::make_shared<Node>();
        n->kind = Value::Kind::Logical;
        n->constant.kind = Value::Kind::Logical;
        n->constant.logical = platform::toUpperAscii(text_[pos_ - 2]) == 'T';
        return n;
      }
      size_t end = pos_ + (c == '-' ? 1 : 0);
      while (end < text_.size() && ((text_[end] >= '0' && text_[end] <= '9') || text_[end] == '.'))
        ++end;
      const auto number = parseNumber(text_.substr(pos_, end - pos_));
      if (!number) fail("malformed number");
      pos_ = end;
      auto n = std::make_shared<Node>();
      n->kind = Value::Kind::Number;
      n->constant.kind = Value::Kind::Number;
      n->constant.number = *number;
      return n;
    }
    if (!std::isalpha(static_cast<unsigned char>(c)) && c != '_') fail("unexpected character");
    size_t end = pos_;
    while (end < text_.size() &&
           (std::isalnum(static_cast<unsigned char>(text_[end])) || text_[end] == '_'))
      ++end;
    std::string name = platform::toUpper(text_.substr(pos_, end - pos_));
    pos_ = end;
    if (accept("->")) return parsePrimary();  // an alias prefix names this same table
    skipBlanks();
    if (pos_ < text_.size() && text_[pos_] == '(') {
      ++pos_;
      return parseFunction(name);
    }
    // Names longer than a field name can be match on their first ten characters: tables
    // belonging to a database keep the long names elsewhere and the short ones in the table.
    const std::string_view shortName = std::string_view(name).substr(0, 10);
    for (size_t i = 0; i < fields_.size(); ++i) {
      if (!platform::equalsIgnoreCase(fields_[i].name, shortName)) continue;
      const FieldDescriptor& f = fields_[i];
      if (f.isMemo()) fail("memo fields cannot be used in expressions");
      auto n = std::make_shared<Node>();
      n->op = Op::Field;
      n->field = f;
      n->fieldIndex = int(i);
      n->width = f.width;
      n->kind = fieldValue(f, std::string(f.offset + f.width, ' ')).kind;
      return n;
    }
    fail(("unknown field " + name).c_str());
  }
  NodePtr parseFunction(const std::string& name) {
    std::vector<NodePtr> args;
    skipBlanks();
    if (!accept(")")) {
      do args.push_back(parseOr());
      while (accept(","));
      expect(")");
    }
    std::string error;
    NodePtr call = makeCall(name, std::move(args), error);
    if (!call) fail(error.c_str());
    return call;
  }

  std::string_view text_;
  const std::vector<FieldDescriptor>& fields_;
  size_t pos_ = 0;
};

}  // namespace

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(const Expression&) = default;
Expression& Expression::operator=(const Expression&) = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

Expression Expression::parse(std::string_view text, const std::vector<FieldDescriptor>& fields) {
  Expression e;
  e.text_ = platform::trim(text);
  if (e.text_.empty()) raise("parsing expression: it is empty");
  e.root_ = Parser(e.text_, fields).parseAll();
  return e;
}

Value Expression::evaluate(std::string_view record, uint32_t recordNumber) const {
  if (!root_) return Value{};
  return evaluateNode(*root_, EvalContext{record, recordNumber});
}

Value::Kind Expression::kind() const {
  return root_ ? root_->kind : Value::Kind::Text;
}
uint32_t Expression::width() const {
  return root_ ? root_->width : 0;
}

bool Expression::isIntegerField() const {
  return root_ && root_->op == Op::Field && root_->field.type == 'I';
}

int Expression::leadingField() const {
  const Node* n = root_.get();
  while (n) {
    switch (n->op) {
      case Op::Field:
        return n->fieldIndex;
      case Op::Add:
        if (n->kind != Value::Kind::Text) return -1;
        n = n->args[0].get();
        break;
      case Op::Str:
      case Op::Upper:
        n = n->args[0].get();
        break;
      default:
        return -1;
    }
  }
  return -1;
}

Value Expression::leadingValue(std::string_view record) const {
  const Node* n = root_.get();
  if (!n) return Value{};
  while (n->op == Op::Add && n->kind == Value::Kind::Text) n = n->args[0].get();
  return evaluateNode(*n, EvalContext{record, 0});
}

}  // namespace savora::xbase
