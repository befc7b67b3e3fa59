#include "xbase/file_chunk_cache.h"

#include <algorithm>
#include <cstring>

namespace savora::xbase {

const std::string* FileChunkCache::chunk(platform::File& file, uint64_t fileSize, uint64_t number) {
  if (const auto it = chunks_.find(number); it != chunks_.end()) {
    if (it->second.use != uses_.begin()) uses_.splice(uses_.begin(), uses_, it->second.use);
    return &it->second.bytes;
  }
  const uint64_t start = number * kChunkBytes;
  std::string bytes(size_t(std::min<uint64_t>(kChunkBytes, fileSize - start)), '\0');
  if (!file.readAt(start, bytes.data(), bytes.size())) return nullptr;
  if (chunks_.size() >= kChunks) {
    chunks_.erase(uses_.back());
    uses_.pop_back();
  }
  uses_.push_front(number);
  return &(chunks_[number] = Chunk{std::move(bytes), uses_.begin()}).bytes;
}

bool FileChunkCache::read(platform::File& file, uint64_t fileSize, uint64_t offset, char* out,
                          size_t count) {
  if (offset > fileSize || count > fileSize - offset) return false;
  if (count > kChunkBytes) return file.readAt(offset, out, count);
  while (count > 0) {
    const std::string* bytes = chunk(file, fileSize, offset / kChunkBytes);
    if (bytes == nullptr) return false;
    const size_t at = size_t(offset % kChunkBytes);
    if (at >= bytes->size()) return false;  // the file is shorter than it was said to be
    const size_t n = std::min(count, bytes->size() - at);
    std::memcpy(out, bytes->data() + at, n);
    out += n;
    offset += n;
    count -= n;
  }
  return true;
}

void FileChunkCache::forget(uint64_t offset, size_t count) {
  if (count == 0) return;
  for (uint64_t n = offset / kChunkBytes; n <= (offset + count - 1) / kChunkBytes; ++n) {
    const auto it = chunks_.find(n);
    if (it == chunks_.end()) continue;
    uses_.erase(it->second.use);
    chunks_.erase(it);
  }
}

void FileChunkCache::clear() {
  chunks_.clear();
  uses_.clear();
}

}  // namespace savora::xbase
