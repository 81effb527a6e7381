// One zlib stream made of independently compressed blocks. Each block is a
// raw deflate piece primed with the 32 KiB before it and ended on a byte
// boundary (the last one ends the stream), so blocks can be compressed in
// any order, on any thread, and their concatenation is always the same.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tidemark {

inline constexpr size_t kDeflateBlockSize = 128 * 1024;
inline constexpr size_t kDeflateDictionarySize = 32 * 1024;

// The two-byte RFC 1950 header for a 32 KiB window at `level` (0 to 12;
// above 9 the level hint says "maximum", as for 7 to 9).
std::vector<uint8_t> ZlibHeader(int level);

// The four-byte trailer: the Adler-32 of the content, most significant byte first.
std::vector<uint8_t> ZlibTrailer(uint32_t adler);

struct DeflateBlockInput {
  const uint8_t* dictionary = nullptr;  // up to kDeflateDictionarySize bytes before the block
  size_t dictionary_size = 0;
  const uint8_t* data = nullptr;
  size_t size = 0;
  bool last = false;  // the stream's final block
};

// Raw deflate data for one block. Raises Error when zlib fails.
std::vector<uint8_t> DeflateBlock(const DeflateBlockInput& input, int level);

// A whole zlib stream of `size` bytes in one block, for small items.
std::vector<uint8_t> ZlibStreamOf(const uint8_t* data, size_t size, int level);

// Adler-32 arithmetic, so that blocks can be summed apart and joined in order.
uint32_t Adler32Of(const uint8_t* data, size_t size, uint32_t start = 1);
uint32_t Adler32Join(uint32_t first, uint32_t second, size_t second_length);

}  // namespace tidemark
