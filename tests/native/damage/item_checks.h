// What must hold for every item the core reports as read, checked apart from
// the core's own code: a compressed item yields exactly its size in content,
// and that content matches the Adler-32 in the four bytes that end the item;
// a raw item spans exactly its size. A breach is a fault of the core, not of
// the data, and is raised as CheckFailure.
#pragma once

#include <cstdint>
#include <stdexcept>

#include "container/byte_stream.h"
#include "container/container_walk.h"

namespace tidemark::test {

class CheckFailure : public std::logic_error {
 public:
  using std::logic_error::logic_error;
};

// Keeps nothing of the content but its length and Adler-32.
class ContentCheckSink : public ByteSink {
 public:
  void Write(const void* data, size_t count) override;
  int64_t written() const { return written_; }
  uint32_t adler() const { return adler_; }

 private:
  int64_t written_ = 0;
  uint32_t adler_ = 1;  // Adler-32 of no bytes
};

// `image` holds the bytes the item was read from (offsets as in `extent`).
void CheckCompressedItem(const ItemExtent& extent, const ContentCheckSink& content,
                         const uint8_t* image, int64_t image_size);
void CheckRawItem(const ItemExtent& extent, int64_t copied);

// Reads one item with the core and checks it.
void ReadCheckedCompressedItem(ByteSource& source, const uint8_t* image, int32_t size);
void ReadCheckedRawItem(ByteSource& source, int32_t size);

}  // namespace tidemark::test
