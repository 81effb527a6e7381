// The items after the control information, cut into blocks that can be
// compressed on any thread and joined again in order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "packer/build/input_file.h"
#include "packer/build/installer_writer.h"

namespace tidemark {

// How items are cut at a level. zlib's levels take 128 KiB blocks, each
// primed with the 32 KiB before it. libdeflate's levels (10 and up) take
// larger chunks on their own, since libdeflate has no preset dictionary;
// the chunk size never depends on the number of jobs, so neither does the
// output. On real programs 2 MiB chunks store 0.02% more than whole files
// (1 MiB: 0.05%, 4 MiB: 0.01%) and hold half the memory of 4 MiB ones.
struct BlockShape {
  size_t size = 0;
  size_t dictionary_size = 0;
};
inline constexpr size_t kNearOptimalChunkSize = 2 * 1024 * 1024;
BlockShape BlockShapeFor(int level);

// One item as the packer stores it.
struct PackItem {
  std::string path;
  int64_t size = 0;  // as written into the control information
  bool compressed = false;
};

// A piece of one item on its way into the container.
struct ItemBlock {
  bool compressed = false;
  bool first = false;          // the item's first block
  bool last = false;           // the item's last block
  std::vector<uint8_t> input;  // up to 32 KiB of dictionary, then the block's own bytes
  size_t dictionary_size = 0;
  std::vector<uint8_t> deflated;  // compressed blocks, once compressed
  uint32_t adler = 1;             // Adler-32 of the block's own bytes, once compressed

  const uint8_t* content() const { return input.data() + dictionary_size; }
  size_t content_size() const { return input.size() - dictionary_size; }

  // Fills `deflated` and `adler`; raw blocks need nothing. At libdeflate's
  // levels every block but an item's last is inflated again to make it
  // joinable, which also checks it.
  void Compress(int level);
};

// Reads the items' files once each, from start to end, one block at a time.
class ItemBlockReader {
 public:
  ItemBlockReader(std::vector<PackItem> items, BlockShape shape);

  // The next block, or nullptr after the last. Raises Error when a file
  // cannot be read or no longer has the size written for it.
  std::unique_ptr<ItemBlock> Next();

 private:
  void OpenNextItem();

  std::vector<PackItem> items_;
  const BlockShape shape_;
  size_t next_item_ = 0;
  std::unique_ptr<InputFile> file_;
  int64_t remaining_ = 0;
  bool first_ = false;
  std::vector<uint8_t> dictionary_;  // the last bytes of the item so far
};

// Joins finished blocks, in order, into the container's items: a zlib
// header before a compressed item's first block, its Adler-32 after the last.
class ItemAssembler {
 public:
  ItemAssembler(InstallerWriter& writer, int level) : writer_(writer), level_(level) {}
  void Add(const ItemBlock& block);

 private:
  InstallerWriter& writer_;
  const int level_;
  uint32_t adler_ = 1;
};

}  // namespace tidemark
