#include "usda/food_pack.h"

#include <algorithm>
#include <bit>
#include <cstdint>

#include "platform/file_ops.h"

namespace savora::usda {
namespace {

constexpr std::string_view kTag = "SVFOODS1";

class Writer {
 public:
  void bytes(std::string_view text) { out_ += text; }
  void unsignedNumber(uint32_t value, int width) {
    for (int i = 0; i < width; ++i) out_ += char((value >> (8 * i)) & 0xff);
  }
  void real(float value) { unsignedNumber(std::bit_cast<uint32_t>(value), 4); }
  void text(std::string_view value, int lengthWidth) {
    const size_t limit = lengthWidth == 1 ? 0xff : 0xffff;
    value = value.substr(0, std::min(value.size(), limit));
    unsignedNumber(uint32_t(value.size()), lengthWidth);
    bytes(value);
  }
  std::string take() { return std::move(out_); }

 private:
  std::string out_;
};

// Reads the pack; every read past the end sets `failed` and gives zeros.
class Reader {
 public:
  explicit Reader(std::string_view in) : in_(in) {}
  bool failed() const { return failed_; }
  bool atEnd() const { return at_ == in_.size(); }
  std::string_view bytes(size_t count) {
    if (in_.size() - at_ < count) {
      failed_ = true;
      at_ = in_.size();
      return {};
    }
    const std::string_view part = in_.substr(at_, count);
    at_ += count;
    return part;
  }
  uint32_t unsignedNumber(int width) {
    const std::string_view b = bytes(size_t(width));
    uint32_t value = 0;
    for (size_t i = 0; i < b.size(); ++i) value |= uint32_t(uint8_t(b[i])) << (8 * i);
    return value;
  }
  float real() { return std::bit_cast<float>(unsignedNumber(4)); }
  std::string text(int lengthWidth) { return std::string(bytes(unsignedNumber(lengthWidth))); }

 private:
  std::string_view in_;
  size_t at_ = 0;
  bool failed_ = false;
};

}  // namespace

std::string packFoods(const std::vector<Food>& foods) {
  Writer w;
  w.bytes(kTag);
  w.unsignedNumber(uint32_t(foods.size()), 4);
  for (const Food& f : foods) {
    w.unsignedNumber(uint32_t(f.number), 4);
    w.unsignedNumber(uint32_t(f.group), 2);
    w.unsignedNumber(f.survey ? 1 : 0, 1);
    w.text(f.description, 2);
    for (float v : f.values) w.real(v);
    const size_t count = std::min<size_t>(f.measures.size(), 0xff);
    w.unsignedNumber(uint32_t(count), 1);
    for (size_t i = 0; i < count; ++i) {
      w.real(f.measures[i].amount);
      w.real(f.measures[i].grams);
      w.text(f.measures[i].description, 1);
    }
  }
  return w.take();
}

std::optional<std::vector<Food>> unpackFoods(std::string_view bytes) {
  Reader r(bytes);
  if (r.bytes(kTag.size()) != kTag) return std::nullopt;
  const uint32_t count = r.unsignedNumber(4);
  // Each food takes at least 60 bytes: a count beyond that is a damaged file, not a big one.
  if (r.failed() || count > bytes.size() / 60) return std::nullopt;
  std::vector<Food> foods(count);
  for (Food& f : foods) {
    f.number = long(r.unsignedNumber(4));
    f.group = int(r.unsignedNumber(2));
    f.survey = r.unsignedNumber(1) != 0;
    f.description = r.text(2);
    for (float& v : f.values) v = r.real();
    f.measures.resize(r.unsignedNumber(1));
    for (Measure& m : f.measures) {
      m.amount = r.real();
      m.grams = r.real();
      m.description = r.text(1);
    }
    if (r.failed()) return std::nullopt;
  }
  if (!r.atEnd()) return std::nullopt;
  return foods;
}

std::optional<std::vector<Food>> readFoodPack(const std::string& path) {
  const auto bytes = platform::readWholeFile(path);
  if (!bytes) return std::nullopt;
  return unpackFoods(*bytes);
}

}  // namespace savora::usda
