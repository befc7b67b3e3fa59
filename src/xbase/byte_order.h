// Little- and big-endian integer access on raw file bytes. The three file kinds mix both orders
// (.dbf little-endian, .fpt big-endian, .cdx both), so every access names its order explicitly.
#pragma once

#include <cstdint>
#include <string>

namespace savora::xbase {

inline uint8_t byteAt(const char* p) {
  return static_cast<uint8_t>(*p);
}

inline uint16_t readLe16(const char* p) {
  return uint16_t(byteAt(p) | (byteAt(p + 1) << 8));
}
inline uint32_t readLe32(const char* p) {
  return uint32_t(byteAt(p)) | uint32_t(byteAt(p + 1)) << 8 | uint32_t(byteAt(p + 2)) << 16 |
         uint32_t(byteAt(p + 3)) << 24;
}
inline uint32_t readBe32(const char* p) {
  return uint32_t(byteAt(p)) << 24 | uint32_t(byteAt(p + 1)) << 16 | uint32_t(byteAt(p + 2)) << 8 |
         uint32_t(byteAt(p + 3));
}
inline uint16_t readBe16(const char* p) {
  return uint16_t(byteAt(p) << 8 | byteAt(p + 1));
}

inline void writeLe16(char* p, uint16_t v) {
  p[0] = char(v & 0xFF);
  p[1] = char(v >> 8);
}
inline void writeLe32(char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = char((v >> (8 * i)) & 0xFF);
}
inline void writeBe32(char* p, uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = char((v >> (8 * (3 - i))) & 0xFF);
}
inline void writeBe16(char* p, uint16_t v) {
  p[0] = char(v >> 8);
  p[1] = char(v & 0xFF);
}

}  // namespace savora::xbase
