#include "packer/build/item_blocks.h"

#include <algorithm>

#include "codecs/block_deflate.h"
#include "codecs/near_optimal_deflate.h"
#include "codecs/non_final_deflate.h"
#include "container/errors.h"

namespace tidemark {

BlockShape BlockShapeFor(int level) {
  if (level >= kLowestNearOptimalLevel) return {kNearOptimalChunkSize, 0};
  return {kDeflateBlockSize, kDeflateDictionarySize};
}

void ItemBlock::Compress(int level) {
  if (!compressed) return;
  adler = Adler32Of(content(), content_size());
  if (level >= kLowestNearOptimalLevel) {
    deflated = NearOptimalDeflate(content(), content_size(), level);
    if (!last) MakeNonFinal(deflated, content(), content_size());
    return;
  }
  DeflateBlockInput block;
  block.dictionary = input.data();
  block.dictionary_size = dictionary_size;
  block.data = content();
  block.size = content_size();
  block.last = last;
  deflated = DeflateBlock(block, level);
}

ItemBlockReader::ItemBlockReader(std::vector<PackItem> items, BlockShape shape)
    : items_(std::move(items)), shape_(shape) {}

void ItemBlockReader::OpenNextItem() {
  const PackItem& item = items_[next_item_++];
  file_ = std::make_unique<InputFile>(item.path);
  remaining_ = item.size;
  first_ = true;
  dictionary_.clear();
}

std::unique_ptr<ItemBlock> ItemBlockReader::Next() {
  if (!file_) {
    if (next_item_ == items_.size()) return nullptr;
    OpenNextItem();
  }
  const bool compressed = items_[next_item_ - 1].compressed;
  auto block = std::make_unique<ItemBlock>();
  block->compressed = compressed;
  block->first = first_;
  first_ = false;
  const size_t own =
      static_cast<size_t>(std::min<int64_t>(remaining_, static_cast<int64_t>(shape_.size)));
  block->input = compressed ? dictionary_ : std::vector<uint8_t>();
  block->dictionary_size = block->input.size();
  block->input.resize(block->dictionary_size + own);
  if (file_->Read(block->input.data() + block->dictionary_size, own) != own) {
    throw Error("\"" + file_->path() + "\" became shorter while it was packed");
  }
  remaining_ -= static_cast<int64_t>(own);
  block->last = remaining_ == 0;
  if (block->last) {
    uint8_t extra;
    if (file_->Read(&extra, 1) != 0) {
      throw Error("\"" + file_->path() + "\" grew while it was packed");
    }
    file_.reset();
  } else if (compressed) {
    const size_t keep = std::min(block->input.size(), shape_.dictionary_size);
    dictionary_.assign(block->input.end() - static_cast<std::ptrdiff_t>(keep), block->input.end());
  }
  return block;
}

void ItemAssembler::Add(const ItemBlock& block) {
  if (!block.compressed) {
    writer_.WriteContainer(block.content(), block.content_size());
    return;
  }
  if (block.first) {
    const std::vector<uint8_t> header = ZlibHeader(level_);
    writer_.WriteContainer(header.data(), header.size());
    adler_ = 1;
  }
  writer_.WriteContainer(block.deflated.data(), block.deflated.size());
  adler_ = block.first ? block.adler : Adler32Join(adler_, block.adler, block.content_size());
  if (block.last) {
    const std::vector<uint8_t> trailer = ZlibTrailer(adler_);
    writer_.WriteContainer(trailer.data(), trailer.size());
  }
}

}  // namespace tidemark
