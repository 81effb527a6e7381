// Encoding a canvas as a 32-bit bitmap file with an alpha channel
// (BITMAPV5HEADER, BI_BITFIELDS), as resource compilers and LoadImage take it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "resources/buttons/canvas.h"

namespace tidemark {

// The file's header ends and its pixels (bottom row first, B, G, R, A) start here.
inline constexpr size_t kBmp32PixelOffset = 14 + 124;

std::vector<uint8_t> EncodeBmp32(const Canvas& canvas);

// Raises std::runtime_error naming the file when it cannot be written.
void WriteFileBytes(const std::vector<uint8_t>& bytes, const std::string& path);

}  // namespace tidemark
