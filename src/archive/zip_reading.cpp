#include "archive/zip_reading.h"

#include <array>
#include <cerrno>
#include <vector>

#include "archive/codes.h"

namespace savora::archive {
namespace {

constexpr std::array<uint32_t, 256> makeCrcTable() {
  std::array<uint32_t, 256> table{};
  for (uint32_t i = 0; i < 256; ++i) {
    uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    table[i] = c;
  }
  return table;
}

constexpr std::array<uint32_t, 256> kCrcTable = makeCrcTable();

// Errors met while decoding an entry's data all mean the stored bytes are damaged.
int codeForDataError(int zipError) {
  switch (zipError) {
    case ZIP_ER_CRC:
    case ZIP_ER_ZLIB:
    case ZIP_ER_COMPRESSED_DATA:
    case ZIP_ER_INCONS:
      return kErrorCrc;
    case ZIP_ER_MEMORY:
      return kErrorMemory;
    default:
      return kErrorNotArchive;
  }
}

}  // namespace

uint32_t crc32Update(uint32_t crc, const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) crc = kCrcTable[(crc ^ bytes[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

int codeForZipError(const zip_error_t* error) {
  const int system = zip_error_code_system(error);
  switch (zip_error_code_zip(error)) {
    case ZIP_ER_OK:
      return kOk;
    case ZIP_ER_NOENT:
      return kErrorFileNotFound;
    case ZIP_ER_NOZIP:
    case ZIP_ER_INCONS:
    case ZIP_ER_EOF:
    case ZIP_ER_MULTIDISK:
      return kErrorNotArchive;
    case ZIP_ER_CRC:
      return kErrorCrc;
    case ZIP_ER_OPEN:
      return kErrorCannotOpen;
    case ZIP_ER_TMPOPEN:
      return system == ENOSPC ? kErrorDiskFull : kErrorTempFile;
    case ZIP_ER_WRITE:
    case ZIP_ER_CLOSE:
    case ZIP_ER_RENAME:
      return system == ENOSPC ? kErrorDiskFull : kErrorWrite;
    case ZIP_ER_READ:
    case ZIP_ER_SEEK:
    case ZIP_ER_TELL:
      return kErrorRead;
    case ZIP_ER_MEMORY:
      return kErrorMemory;
    case ZIP_ER_COMPNOTSUPP:
    case ZIP_ER_OPNOTSUPP:
      return kErrorNotSupported;
    case ZIP_ER_ENCRNOTSUPP:
    case ZIP_ER_NOPASSWD:
    case ZIP_ER_WRONGPASSWD:
      return kErrorEncrypted;
    case ZIP_ER_RDONLY:
      return kErrorWriteProtected;
    case ZIP_ER_INVAL:
      return kErrorBadArgument;
    case ZIP_ER_CANCELLED:
      return kErrorCanceled;
    default:
      return kErrorGeneral;
  }
}

int readEntry(zip_t* archive, zip_uint64_t index, const EntrySink& sink) {
  zip_stat_t st;
  if (zip_stat_index(archive, index, 0, &st) != 0) return kErrorNotArchive;
  if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) && st.encryption_method != ZIP_EM_NONE) {
    return kErrorEncrypted;
  }
  if (!(st.valid & ZIP_STAT_SIZE) || !(st.valid & ZIP_STAT_CRC)) return kErrorNotArchive;

  zip_file_t* file = zip_fopen_index(archive, index, 0);
  if (!file) {
    const int code = codeForZipError(zip_get_error(archive));
    zip_error_clear(archive);
    return code == kErrorEncrypted || code == kErrorNotSupported || code == kErrorMemory
               ? code
               : kErrorNotArchive;
  }
  std::vector<char> buffer(64 * 1024);
  uint64_t total = 0;
  uint32_t crc = 0;
  int result = kOk;
  for (;;) {
    const zip_int64_t n = zip_fread(file, buffer.data(), buffer.size());
    if (n < 0) {
      result = codeForDataError(zip_error_code_zip(zip_file_get_error(file)));
      break;
    }
    if (n == 0) break;
    total += uint64_t(n);
    if (total > st.size) {
      result = kErrorCrc;
      break;
    }
    crc = crc32Update(crc, buffer.data(), size_t(n));
    if (sink) {
      result = sink(buffer.data(), size_t(n));
      if (result != kOk) break;
    }
  }
  zip_fclose(file);
  if (result == kOk && (total != st.size || crc != st.crc)) result = kErrorCrc;
  return result;
}

}  // namespace savora::archive
