// The memo file beside a table: FoxPro .fpt blocks (read and write) and dBASE III and IV .dbt
// blocks (read only). A memo is addressed by its first block number; 0 never holds a memo.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/file.h"

namespace savora::xbase {

// .fpt header, 512 bytes, big-endian:
//   OFFSET SIZE MEANING
//   0      4    next free block (first block after the last allocated one)
//   4      2    zero
//   6      2    block size in bytes
//   8      504  zero
// Memo block: 0 BE32 type (1 = text), 4 BE32 data length, 8.. data; a memo takes
// ceil((8 + length) / blockSize) consecutive blocks. Writers zero-fill the last block so that
// ceil(fileSize / blockSize) == next free.
// .dbt (dBASE III): 512-byte blocks from block 1, each memo ends at a 0x1A byte.
// .dbt (dBASE IV): LE32 next free block at 0, LE16 block size at 20 (0: 512); a memo block
// starts FF FF 08 00, then LE32 length of those 8 bytes plus the text. A block without that
// mark is read like dBASE III.
inline constexpr size_t kMemoHeaderSize = 512;
inline constexpr uint32_t kDefaultMemoBlockSize = 64;
inline constexpr uint32_t kMemoTypeText = 1;
inline constexpr size_t kMemoBlockHeaderSize = 8;
// What a memo read asks for at once: the block header and the text of most memos.
inline constexpr size_t kFirstMemoRead = 1024;

// Who reads a memo, named in the message of a failed read.
struct MemoReader {
  uint32_t record = 0;
  std::string_view field;
};

class MemoFile {
 public:
  enum class Kind { Fpt, Dbt, DbtIV };

  // Opens an existing memo file, or takes up `opened` (the same file, already open in that mode)
  // and reads its header afresh; throws Error when it is missing or its header is damaged.
  static MemoFile open(const std::string& path, Kind kind, bool writable,
                       platform::File opened = {});
  // Creates an empty .fpt with the given block size.
  static MemoFile create(const std::string& path, uint32_t blockSize = kDefaultMemoBlockSize);

  MemoFile() = default;
  MemoFile(MemoFile&&) = default;
  MemoFile& operator=(MemoFile&&) = default;

  // The data of the memo at `block`. Throws Error when the block or its length lies outside the
  // file. The file as it was opened is read through a mapped view: no system call per memo.
  std::string read(uint32_t block, MemoReader reader);
  // The same data without a copy where it can be had: a view into the mapped file when the memo
  // lies whole in the view, else into a buffer of this object. Same checks and errors as read().
  // The view is valid only until the next read, write or close of this memo file.
  std::string_view view(uint32_t block, MemoReader reader);
  // Asks the memory for the first bytes from `block` on (the memo there and those written after
  // it), to be read soon: a hint that lets a walk wait for them while it does other work.
  // Nothing happens outside the mapped view.
  void prefetch(uint32_t block) const;
  // Stores `data` at the next free block and returns that block; 0 for empty data (no memo).
  // Never overwrites an existing memo, so a torn write cannot damage the memo a record still
  // points at; the space of replaced memos comes back with a memo compress. The header's
  // next-free pointer moves only after the data is written. Throws Error on a failed write.
  uint32_t write(std::string_view data);

  Kind kind() const { return kind_; }
  uint32_t blockSize() const { return blockSize_; }
  uint32_t nextFree() const { return nextFree_; }
  const std::string& path() const { return path_; }
  void close() { file_.close(); }
  platform::File& file() { return file_; }

 private:
  uint32_t blocksFor(uint64_t length) const;
  std::string readToEndMark(uint64_t at, const std::string& context);
  std::string readDbtIV(uint32_t block, uint64_t at, MemoReader reader);
  bool readAt(uint64_t offset, char* out, size_t count);
  void mapOnce();

  platform::File file_;
  std::string path_;
  Kind kind_ = Kind::Fpt;
  uint32_t blockSize_ = kDefaultMemoBlockSize;
  uint32_t nextFree_ = 0;
  uint64_t fileSize_ = 0;
  bool mapTried_ = false;
  std::string buffer_;  // what view() returns for a memo it cannot show in place
};

}  // namespace savora::xbase
