// Field values, key bytes and the expression language, each as a table of named cases.
#include <gtest/gtest.h>

#include "xbase/dbf_header.h"
#include "xbase/error.h"
#include "xbase/index_key.h"
#include "xbase/key_expr.h"
#include "xbase/record_codec.h"

namespace savora::xbase {
namespace {

std::string hex(const std::string& bytes) {
  static const char* const kDigits = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

TEST(CodecTest, NumbersAreRightAlignedWithTheirDecimalsOrStars) {
  const struct {
    double value;
    uint32_t width, decimals;
    const char* bytes;
  } kCases[] = {
      {2.5, 5, 1, "  2.5"},      {-1, 5, 1, " -1.0"},       {12, 5, 1, " 12.0"},
      {0, 3, 0, "  0"},          {-0.04, 5, 1, "  0.0"},    {99999, 5, 0, "99999"},
      {100000, 5, 0, "*****"},   {-9999, 5, 0, "-9999"},    {-10000, 5, 0, "*****"},
      {2.678, 8, 2, "    2.68"}, {1234.56, 6, 2, "  1235"}, {1e300, 20, 0, "********************"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(formatNumber(c.value, c.width, c.decimals), c.bytes);
  }
}

TEST(CodecTest, NumberTextParsesOnlyPlainDecimals) {
  EXPECT_EQ(parseNumber("   12.50"), 12.5);
  EXPECT_EQ(parseNumber("-3"), -3.0);
  EXPECT_EQ(parseNumber(" 1e3 "), 1000.0);
  // Whole numbers of every length, the short way and the long way alike.
  EXPECT_EQ(parseNumber("   42"), 42.0);
  EXPECT_EQ(parseNumber("-007 "), -7.0);
  EXPECT_EQ(parseNumber("999999999999999"), 999999999999999.0);
  EXPECT_EQ(parseNumber("12345678901234567"), 12345678901234567.0);
  for (const char* bad : {"", "     ", "abc", "0x10", "inf", "nan", "12abc", "-", "1 2"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(parseNumber(bad).has_value());
  }
}

TEST(CodecTest, DatesMapToJulianDaysAndBack) {
  const struct {
    const char* date;
    int64_t julian;
  } kCases[] = {{"19980314", 2450887},
                {"20000101", 2451545},
                {"19700101", 2440588},
                {"20240229", 2460370},
                {"00010101", 1721426}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.date);
    EXPECT_EQ(julianDayOfDate(c.date), c.julian);
    EXPECT_EQ(dateOfJulianDay(c.julian), c.date);
  }
  for (const char* bad : {"        ", "1998031", "19981301", "1998AB14", "19980100"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(julianDayOfDate(bad).has_value());
  }
}

TEST(CodecTest, DatetimesShowToTheNearestSecond) {
  FieldDescriptor field;
  field.type = 'T';
  field.width = 8;
  const struct {
    const char* what;
    uint32_t milliseconds;
    const char* shown;
  } kCases[] = {{"a whole second", 48938000, "20240229 13:35:38"},
                {"just under the next second", 48938999, "20240229 13:35:39"},
                {"just under half a second", 48938499, "20240229 13:35:38"},
                {"the last half second of the day", 86399500, "20240301 00:00:00"}};
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.what);
    std::string raw(8, '\0');
    for (int i = 0; i < 4; ++i) {
      raw[size_t(i)] = char((2460370u >> (8 * i)) & 0xFF);
      raw[size_t(4 + i)] = char((c.milliseconds >> (8 * i)) & 0xFF);
    }
    EXPECT_EQ(displayText(field, raw), c.shown);
  }
}

TEST(CodecTest, MemoPointersAcceptBlanksAndLeadingZerosOnly) {
  EXPECT_EQ(parseMemoPointer("         8"), 8u);
  EXPECT_EQ(parseMemoPointer("0000000012"), 12u);
  EXPECT_EQ(parseMemoPointer("          "), 0u);
  EXPECT_EQ(parseMemoPointer(std::string("\x08\x00\x00\x00", 4)), 8u);
  EXPECT_FALSE(parseMemoPointer("   1 2    ").has_value());
  EXPECT_FALSE(parseMemoPointer("  abc     ").has_value());
  EXPECT_FALSE(parseMemoPointer("9999999999").has_value());  // beyond 32 bits
  EXPECT_EQ(formatMemoPointer(8, 10), "         8");
  EXPECT_EQ(formatMemoPointer(0, 10), "          ");
}

TEST(CodecTest, NumericKeysSortLikeTheirValues) {
  const struct {
    double value;
    const char* key;
  } kCases[] = {
      {0, "80 00 00 00 00 00 00 00"},      {-0.0, "80 00 00 00 00 00 00 00"},
      {1, "BF F0 00 00 00 00 00 00"},      {-1, "40 0F FF FF FF FF FF FF"},
      {2.5, "C0 04 00 00 00 00 00 00"},    {12, "C0 28 00 00 00 00 00 00"},
      {-7, "3F E3 FF FF FF FF FF FF"},     {-0.25, "40 2F FF FF FF FF FF FF"},
      {123.45, "C0 5E DC CC CC CC CC CD"}, {2450887, "C1 42 B2 E3 80 00 00 00"},
  };
  for (const auto& c : kCases) {
    SCOPED_TRACE(c.key);
    EXPECT_EQ(hex(numberKey(c.value)), c.key);
  }
  const double ordered[] = {-1e300, -99999999999999999999.0, -7, -0.25, 0, 1e-300, 2.5,
                            12,     99999999999999999999.0};
  for (size_t i = 1; i < std::size(ordered); ++i)
    EXPECT_LT(numberKey(ordered[i - 1]), numberKey(ordered[i])) << ordered[i];
  EXPECT_EQ(hex(integerKey(1)), "80 00 00 01");
  EXPECT_EQ(hex(integerKey(-1)), "7F FF FF FF");
}

class ExpressionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fields_ = makeDbfHeader({{"UID", 'N', 0, 5, 0, 0},
                             {"NAME", 'C', 0, 10, 0, 0},
                             {"QTY", 'N', 0, 5, 1, 0},
                             {"MADE", 'D', 0, 8, 0, 0},
                             {"OK", 'L', 0, 1, 0, 0}},
                            false)
                  .fields;
    record_ = std::string(" ") + "    3" + "Soup      " + " -2.5" + "19980314" + "T";
  }
  std::vector<FieldDescriptor> fields_;
  std::string record_;
};

TEST_F(ExpressionTest, ValuesAndWidths) {
  const struct {
    const char* expression;
    const char* text;
    uint32_t width;
  } kText[] = {
      {"STR(UID,5)+NAME", "    3Soup      ", 15},
      {"upper(name)", "SOUP      ", 10},
      {"TRIM(NAME)+\"!\"", "Soup!", 11},
      {"DTOS(MADE)+NAME", "19980314Soup      ", 18},
      {"SUBSTR(NAME,2,3)", "oup", 3},
      {"LEFT(NAME,2)", "So", 2},
      {"STR(QTY,6,2)", " -2.50", 6},
      {"ALLTRIM(' x ')", "x", 3},
  };
  for (const auto& c : kText) {
    SCOPED_TRACE(c.expression);
    const Expression e = Expression::parse(c.expression, fields_);
    EXPECT_EQ(e.kind(), Value::Kind::Text);
    EXPECT_EQ(e.evaluate(record_).text, c.text);
    EXPECT_EQ(e.width(), c.width);
  }
  const struct {
    const char* expression;
    bool result;
  } kConditions[] = {
      {".NOT. DELETED()", true}, {"DELETED()", false},
      {"UID=3", true},           {"UID = 4", false},
      {"QTY>0", false},          {"QTY<0 .AND. UID>=3", true},
      {"QTY>0 .OR. OK", true},   {"NAME=\"Sou\"", true},
      {"NAME==\"Sou\"", false},  {"TRIM(UPPER(NAME))==\"SOUP\"", true},
      {"NAME<>\"Soup\"", false}, {"'ou' $ NAME", true},
      {"!(UID=3)", false},       {"MADE=MADE", true},
      {"VAL(\"12\")=12", true},
  };
  for (const auto& c : kConditions) {
    SCOPED_TRACE(c.expression);
    const Expression e = Expression::parse(c.expression, fields_);
    ASSERT_EQ(e.kind(), Value::Kind::Logical);
    EXPECT_EQ(e.evaluate(record_).logical, c.result);
  }
  std::string deleted = record_;
  deleted[0] = '*';
  EXPECT_FALSE(Expression::parse(".NOT. DELETED()", fields_).evaluate(deleted).logical);
}

TEST_F(ExpressionTest, MalformedExpressionsAreNamedErrors) {
  for (const char* bad : {"", "NOSUCH", "STR(NAME)", "UID+NAME", "(UID", "NAME=", "UPPER(UID)",
                          "STR(UID,WIDTH)", "'open", "UID=3 .AND.", "FOO(UID)", "UID @ 3"}) {
    SCOPED_TRACE(bad);
    try {
      Expression::parse(bad, fields_);
      ADD_FAILURE() << "accepted";
    } catch (const Error& e) {
      EXPECT_NE(std::string(e.what()).find("expression"), std::string::npos) << e.what();
    }
  }
}

TEST_F(ExpressionTest, KeyFormatsFollowTheResultType) {
  EXPECT_EQ(keyFormatFor(Expression::parse("STR(UID,5)+NAME", fields_)).length, 15);
  const KeyFormat numeric = keyFormatFor(Expression::parse("QTY", fields_));
  EXPECT_EQ(numeric.type, KeyFormat::Type::Numeric);
  EXPECT_EQ(numeric.fill(), '\0');
  EXPECT_EQ(makeKey(Expression::parse("MADE", fields_).evaluate(record_), numeric),
            numberKey(2450887));
  EXPECT_THROW(keyFormatFor(Expression::parse("UID=3", fields_)), Error);
  EXPECT_THROW(keyFormatFor(Expression::parse("TRIM(NAME)+TRIM(NAME)+TRIM(NAME)+NAME+NAME+NAME+"
                                              "NAME+NAME+NAME+NAME+NAME+NAME+NAME+NAME+NAME+"
                                              "NAME+NAME+NAME+NAME+NAME+NAME+NAME+NAME+NAME+NAME",
                                              fields_)),
               Error);  // 250 bytes, more than a key holds
}

}  // namespace
}  // namespace savora::xbase
