// Aligned chunks of a file kept in memory, so many small reads near each other (the memos of
// records walked in order) cost one system call per chunk instead of one or two per read. The
// owner tells the cache of every write it makes; nobody else writes the file while it is open.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

#include "platform/file.h"

namespace savora::xbase {

class FileChunkCache {
 public:
  static constexpr size_t kChunkBytes = 8 * 1024;
  static constexpr size_t kChunks = 256;  // 2 MB at most

  // Reads `count` bytes at `offset` of `file`, `fileSize` long. False when they are not all
  // there or the read fails. Reads larger than a chunk pass the cache by.
  bool read(platform::File& file, uint64_t fileSize, uint64_t offset, char* out, size_t count);
  // Drops what overlaps a range just written.
  void forget(uint64_t offset, size_t count);
  void clear();

 private:
  const std::string* chunk(platform::File& file, uint64_t fileSize, uint64_t start);

  struct Chunk {
    std::string bytes;
    std::list<uint64_t>::iterator use;
  };
  std::unordered_map<uint64_t, Chunk> chunks_;  // by chunk number
  std::list<uint64_t> uses_;                    // most recently used first
};

}  // namespace savora::xbase
