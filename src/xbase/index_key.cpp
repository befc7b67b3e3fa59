#include "xbase/index_key.h"

#include <cstring>

#include "platform/text.h"
#include "xbase/byte_order.h"
#include "xbase/error.h"
#include "xbase/record_codec.h"

namespace savora::xbase {

KeyFormat keyFormatFor(const Expression& e) {
  KeyFormat format;
  switch (e.kind()) {
    case Value::Kind::Text:
      if (e.width() < 1 || e.width() > kMaxKeyLength)
        raise("key expression \"%s\" gives %u-byte keys; keys take 1-%u bytes", e.text().c_str(),
              e.width(), unsigned(kMaxKeyLength));
      format.length = uint16_t(e.width());
      break;
    case Value::Kind::Number:
    case Value::Kind::Date:
      format.type = e.isIntegerField() ? KeyFormat::Type::Integer : KeyFormat::Type::Numeric;
      format.length = e.isIntegerField() ? 4 : 8;
      break;
    case Value::Kind::Logical:
      raise("key expression \"%s\" is logical; keys must be text, numbers or dates",
            e.text().c_str());
  }
  return format;
}

std::string numberKey(double value) {
  if (value == 0) value = 0;  // -0 sorts as +0
  uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  bits = (bits >> 63) ? ~bits : bits | (uint64_t(1) << 63);
  std::string key(8, '\0');
  writeBe32(key.data(), uint32_t(bits >> 32));
  writeBe32(key.data() + 4, uint32_t(bits));
  return key;
}

std::string describeKey(const std::string& key, const KeyFormat& format) {
  if (format.type == KeyFormat::Type::Character) return key;
  if (format.type == KeyFormat::Type::Integer && key.size() == 4)
    return std::to_string(int32_t(readBe32(key.data()) ^ 0x80000000u));
  if (key.size() != 8) return "?";
  uint64_t bits = uint64_t(readBe32(key.data())) << 32 | readBe32(key.data() + 4);
  bits = (bits >> 63) ? bits & ~(uint64_t(1) << 63) : ~bits;
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return platform::formatText("%.15g", value);
}

std::string integerKey(int32_t value) {
  std::string key(4, '\0');
  writeBe32(key.data(), uint32_t(value) ^ 0x80000000u);
  return key;
}

std::string makeKey(const Value& value, const KeyFormat& format) {
  switch (format.type) {
    case KeyFormat::Type::Character:
      return padText(value.kind == Value::Kind::Text ? value.text : std::string(), format.length);
    case KeyFormat::Type::Integer:
      return integerKey(int32_t(value.number));
    case KeyFormat::Type::Numeric:
      break;
  }
  std::string key = numberKey(value.number);
  key.resize(format.length, '\0');
  return key;
}

}  // namespace savora::xbase
