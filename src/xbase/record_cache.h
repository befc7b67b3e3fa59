// Chunks of a table's records kept in memory, so walks in record or tag order and repeated
// seeks read the file once per chunk rather than once per record. The table owns its file
// alone while open; every write of a record drops the chunk holding it.
#pragma once

#include <cstdint>
#include <list>
#include <string>
#include <unordered_map>

namespace savora::xbase {

class RecordCache {
 public:
  static constexpr size_t kChunkBytes = 8 * 1024;
  static constexpr size_t kChunks = 256;  // 2 MB at most

  // Sets the record length (and empties the cache).
  void reset(uint32_t recordLength);
  // Records per chunk, and the first record of the chunk holding `record` (1-based).
  uint32_t chunkRecords() const { return perChunk_; }
  uint32_t chunkStart(uint32_t record) const { return (record - 1) / perChunk_ * perChunk_ + 1; }
  // Copies the record into `out` when it is cached.
  bool find(uint32_t record, std::string& out);
  // Keeps `bytes`, whole records from `first` on (first being a chunkStart()).
  void store(uint32_t first, std::string bytes);
  // Drops the chunk holding `record`.
  void forget(uint32_t record);
  void clear();

 private:
  struct Chunk {
    std::string bytes;
    std::list<uint32_t>::iterator use;
  };
  uint32_t length_ = 1;
  uint32_t perChunk_ = 1;
  std::unordered_map<uint32_t, Chunk> chunks_;  // by first record
  std::list<uint32_t> uses_;                    // most recently used first
};

}  // namespace savora::xbase
