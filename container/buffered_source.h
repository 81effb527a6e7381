// Reading a file with ordinary reads, for the items that follow start-up:
// a failed read is then an error like any other, where a page fault in a
// mapped view of a file that has gone away could not be reported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "container/byte_stream.h"
#include "container/scrambling.h"

namespace tidemark {

// A file read at given offsets. Implemented over the running executable by
// the stub and over plain files by tools and tests.
class RandomAccessInput {
 public:
  virtual ~RandomAccessInput() = default;
  // The file's length as it is now.
  virtual int64_t Size() const = 0;
  // Reads up to `count` bytes at `offset`; returns the number read, 0 at or
  // past the end. Raises an Error with the system's reason when the read
  // itself fails.
  virtual size_t ReadAt(int64_t offset, void* buffer, size_t count) = 0;
};

// A ByteSource over a RandomAccessInput through one buffer, filled with a
// read whenever the position leaves it and reused for every item, so that
// items are inflated from the buffer where it lies (Peek) and consecutive
// small items share one read. The bytes of a scrambled region are
// descrambled in the buffer as it is filled.
class BufferedSource : public ByteSource {
 public:
  static constexpr size_t kBufferSize = 256 * 1024;

  // Takes the input's size once, here: seeking, which item readers do in
  // their destructors, must not need the file and so cannot fail.
  BufferedSource(RandomAccessInput& input, int64_t position,
                 const ScrambledRegion& region = ScrambledRegion());

  // The input's size when the source was made; a file cut short since then
  // reads as ending early.
  int64_t Size() const override { return size_; }
  int64_t Position() const override { return position_; }
  void Seek(int64_t position) override;
  size_t Read(void* buffer, size_t count) override;
  // Fills the buffer at the position when the position lies outside it;
  // nullptr when nothing is left to read there.
  const uint8_t* Peek(size_t& available) const override;

 private:
  RandomAccessInput& input_;
  int64_t size_;
  int64_t position_;
  ScrambledRegion region_;
  std::unique_ptr<uint8_t[]> buffer_;
  // The buffer holds the file's bytes [buffer_start_, buffer_start_ + held_).
  mutable int64_t buffer_start_ = 0;
  mutable size_t held_ = 0;
};

}  // namespace tidemark
