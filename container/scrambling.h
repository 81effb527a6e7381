// The scrambling of a container: every byte from the region's start (the
// byte after the scrambled start marker) to the end of the file is stored as
// the plain byte XOR ScrambleKey[k mod 49], k counting from 0 at the start.
// XOR is its own inverse, so one operation turns stored bytes into plain ones
// and plain into stored. The key depends only on the offset, so any piece of
// the file can be turned as it is read, wherever it lies.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>

namespace tidemark {

class ScrambledRegion {
 public:
  // No region: nothing is scrambled.
  ScrambledRegion() = default;
  explicit ScrambledRegion(int64_t start) : start_(start) {}

  int64_t start() const { return start_; }

  // Turns `count` bytes that lie at file offset `offset` in place; the
  // bytes before the region's start are left as they are.
  void Apply(uint8_t* bytes, size_t count, int64_t offset) const;

 private:
  int64_t start_ = std::numeric_limits<int64_t>::max();
};

// ScrambleKey[index mod 49].
uint8_t KeyByte(uint64_t index);

// The XOR of the key bytes that scramble the first `length` bytes of a
// region: the XOR of the plain bytes there is the XOR of the stored bytes
// with this.
uint8_t KeyXorSum(uint64_t length);

// The XOR of `count` bytes, taken a 64-bit word at a time.
uint8_t XorSum(const uint8_t* bytes, size_t count);

}  // namespace tidemark
