#include "tests/native/damage/item_checks.h"

#include <zlib.h>

#include <string>

namespace tidemark::test {
namespace {

// Two header bytes, at least one byte of deflate data, four of Adler-32.
constexpr int64_t kSmallestZlibStream = 7;

std::string Where(const ItemExtent& extent) {
  return "item [" + std::to_string(extent.start) + ", " + std::to_string(extent.end) + ")";
}

}  // namespace

void ContentCheckSink::Write(const void* data, size_t count) {
  adler_ = static_cast<uint32_t>(
      adler32(adler_, static_cast<const Bytef*>(data), static_cast<uInt>(count)));
  written_ += static_cast<int64_t>(count);
}

void CheckCompressedItem(const ItemExtent& extent, const ContentCheckSink& content,
                         const uint8_t* image, int64_t image_size) {
  if (content.written() != extent.content_size) {
    throw CheckFailure(Where(extent) + " yielded " + std::to_string(content.written()) +
                       " content bytes, not " + std::to_string(extent.content_size));
  }
  if (extent.start < 0 || extent.end > image_size ||
      extent.end - extent.start < kSmallestZlibStream) {
    throw CheckFailure(Where(extent) + " cannot hold a zlib stream in an image of " +
                       std::to_string(image_size) + " bytes");
  }
  const uint8_t* trailer = image + extent.end - 4;
  const uint32_t stored = uint32_t{trailer[0]} << 24 | uint32_t{trailer[1]} << 16 |
                          uint32_t{trailer[2]} << 8 | uint32_t{trailer[3]};
  if (stored != content.adler()) {
    throw CheckFailure(Where(extent) + " was accepted although its Adler-32 does not match");
  }
}

void CheckRawItem(const ItemExtent& extent, int64_t copied) {
  if (copied != extent.content_size || extent.end - extent.start != extent.content_size) {
    throw CheckFailure(Where(extent) + " copied " + std::to_string(copied) +
                       " bytes for a size of " + std::to_string(extent.content_size));
  }
}

void ReadCheckedCompressedItem(ByteSource& source, const uint8_t* image, int32_t size) {
  ContentCheckSink content;
  const ItemExtent extent = ReadCompressedItem(source, size, content);
  CheckCompressedItem(extent, content, image, source.Size());
}

void ReadCheckedRawItem(ByteSource& source, int32_t size) {
  DiscardSink copy;
  const ItemExtent extent = ReadRawItem(source, size, copy);
  CheckRawItem(extent, copy.written());
}

}  // namespace tidemark::test
