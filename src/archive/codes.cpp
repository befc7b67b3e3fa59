#include "archive/codes.h"

#include <array>

namespace savora::archive {

std::string_view messageText(int code) {
  static constexpr std::array<std::string_view, 35> kTexts = {
      "",
      "Error",
      "Error",
      "Memory allocation error",
      "File does not exist",
      "Not an archive or corrupt",
      "Corrupt header",
      "CRC-32 error",
      "Unable to open file",
      "Incompatible archive version",
      "End of archive",
      "Archive already open",
      "Read error",
      "Write error",
      "Bad argument",
      "Unable to create temp file",
      "Data in buffer is uncompressable",
      "Max number of file handles exceeded",
      "Write-protected",
      "Invalid drive",
      "Invalid media",
      "Unable to reset controller",
      "Unable to format track",
      "Unable to verify track",
      "Drive not responding",
      "Error writing boot sector",
      "Error writing FAT table",
      "Error writing root directory",
      "Error writing system files",
      "File is encrypted",
      "Canceled",
      "Disk full",
      "Feature not supported",
      "Insufficient disk space",
      "A file in the archive is larger than any it may hold",
  };
  if (code > 0 || -code >= int(kTexts.size())) return "Error";
  return kTexts[size_t(-code)];
}

}  // namespace savora::archive
