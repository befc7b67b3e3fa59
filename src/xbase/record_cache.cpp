#include "xbase/record_cache.h"

#include <algorithm>

namespace savora::xbase {

void RecordCache::reset(uint32_t recordLength) {
  clear();
  length_ = std::max<uint32_t>(1, recordLength);
  perChunk_ = std::max<uint32_t>(1, uint32_t(kChunkBytes / length_));
}

bool RecordCache::find(uint32_t record, std::string& out) {
  const auto it = chunks_.find(chunkStart(record));
  if (it == chunks_.end()) return false;
  const size_t at = size_t(record - it->first) * length_;
  if (at + length_ > it->second.bytes.size()) return false;
  out.assign(it->second.bytes, at, length_);
  if (it->second.use != uses_.begin()) uses_.splice(uses_.begin(), uses_, it->second.use);
  return true;
}

void RecordCache::store(uint32_t first, std::string bytes) {
  forget(first);
  if (chunks_.size() >= kChunks) {
    chunks_.erase(uses_.back());
    uses_.pop_back();
  }
  uses_.push_front(first);
  chunks_[first] = Chunk{std::move(bytes), uses_.begin()};
}

void RecordCache::forget(uint32_t record) {
  const auto it = chunks_.find(chunkStart(record));
  if (it == chunks_.end()) return;
  uses_.erase(it->second.use);
  chunks_.erase(it);
}

void RecordCache::clear() {
  chunks_.clear();
  uses_.clear();
}

}  // namespace savora::xbase
