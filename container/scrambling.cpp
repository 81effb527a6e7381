#include "container/scrambling.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "container/layout.h"

namespace tidemark {
namespace {

// The key repeated 64 times is a multiple of both its own length and 8: a
// block of that many bytes starts and ends in the same phase, and is worked
// through in whole 64-bit words. One key length more lets a block start at
// any phase.
constexpr size_t kWideBlock = kScrambleKeyLength * 64;

const std::array<uint8_t, kWideBlock + kScrambleKeyLength>& WideKey() {
  static const auto key = [] {
    std::array<uint8_t, kWideBlock + kScrambleKeyLength> wide{};
    for (size_t i = 0; i < wide.size(); ++i) {
      wide[i] = static_cast<uint8_t>(ScrambleKey[i % kScrambleKeyLength]);
    }
    return wide;
  }();
  return key;
}

void XorInto(uint8_t* bytes, const uint8_t* key, size_t count) {
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    uint64_t word, key_word;
    std::memcpy(&word, bytes + i, 8);
    std::memcpy(&key_word, key + i, 8);
    word ^= key_word;
    std::memcpy(bytes + i, &word, 8);
  }
  for (; i < count; ++i) bytes[i] ^= key[i];
}

}  // namespace

void ScrambledRegion::Apply(uint8_t* bytes, size_t count, int64_t offset) const {
  if (offset < start_) {
    const int64_t plain = start_ - offset;
    if (plain >= static_cast<int64_t>(count)) return;
    bytes += plain;
    count -= static_cast<size_t>(plain);
    offset = start_;
  }
  const uint8_t* key =
      WideKey().data() + static_cast<uint64_t>(offset - start_) % kScrambleKeyLength;
  for (size_t done = 0; done < count; done += kWideBlock) {
    XorInto(bytes + done, key, std::min(kWideBlock, count - done));
  }
}

uint8_t KeyByte(uint64_t index) {
  return static_cast<uint8_t>(ScrambleKey[index % kScrambleKeyLength]);
}

uint8_t KeyXorSum(uint64_t length) {
  // Every whole turn of the key adds the same XOR; two of them cancel.
  uint8_t sum = 0;
  const uint64_t turns = length / kScrambleKeyLength;
  const size_t rest = static_cast<size_t>(length % kScrambleKeyLength);
  for (size_t i = 0; i < kScrambleKeyLength; ++i) {
    if (i < rest) sum ^= KeyByte(i);
    if (turns % 2 == 1) sum ^= KeyByte(i);
  }
  return sum;
}

uint8_t XorSum(const uint8_t* bytes, size_t count) {
  uint64_t words = 0;
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    uint64_t word;
    std::memcpy(&word, bytes + i, 8);
    words ^= word;
  }
  uint8_t sum = 0;
  for (; i < count; ++i) sum ^= bytes[i];
  for (int shift = 0; shift < 64; shift += 8) sum ^= static_cast<uint8_t>(words >> shift);
  return sum;
}

}  // namespace tidemark
