// Reading entries out of an open libzip archive with our own checks: every byte of an entry is
// run through CRC-32 and counted, so corrupt data is caught whatever the inflater says.
#pragma once

#include <zip.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace savora::archive {

// CRC-32 (the ZIP polynomial) of `size` bytes continuing from `crc` (0 to start).
uint32_t crc32Update(uint32_t crc, const void* data, size_t size);

// The job status code for a libzip error met while opening or writing an archive.
int codeForZipError(const zip_error_t* error);

// Receives consecutive pieces of an entry's data; returns 0 to go on or a status code to stop.
using EntrySink = std::function<int(const char* data, size_t size)>;

// Reads entry `index` to its end, passing the data to `sink` (which may be empty). Returns 0 when
// the data has the size and CRC-32 the archive records; kErrorCrc for corrupt data or a size or
// CRC mismatch; kErrorEncrypted, kErrorNotSupported for entries that cannot be decoded;
// kErrorNotArchive when the data cannot be read; or the sink's code. The sink never receives
// more bytes than the recorded size.
int readEntry(zip_t* archive, zip_uint64_t index, const EntrySink& sink);

}  // namespace savora::archive
