// Raw deflate by libdeflate at its levels 10 to 12 (its near-optimal
// parser): smaller streams than zlib's level 9 gives, which zlib inflates as
// any other. libdeflate compresses whole buffers only, with no preset
// dictionary and no flush; its output always ends with a final block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tidemark {

inline constexpr int kHighestZlibLevel = 9;
inline constexpr int kLowestNearOptimalLevel = 10;

// 12 where the packer is built with libdeflate; 9 where it is not (the
// Windows build of the packer, which has no libdeflate).
extern const int kHighestLevel;

// The packer's default level: 10 where libdeflate is there. On real
// programs (Wine's own DLLs) it stores 4.0% less than zlib's 9 and packs
// about 35% faster; 12 stores another 0.2% less but packs about 40% slower
// than 10. Without libdeflate, zlib's 9.
extern const int kDefaultLevel;

// Raw deflate data for `size` bytes at `level` (10 to kHighestLevel),
// ending with a final block. Raises Error when libdeflate fails.
std::vector<uint8_t> NearOptimalDeflate(const uint8_t* data, size_t size, int level);

}  // namespace tidemark
