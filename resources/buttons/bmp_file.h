// Writing a canvas as a 32-bit bitmap file with an alpha channel
// (BITMAPV5HEADER, BI_BITFIELDS), as resource compilers and LoadImage take it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "resources/buttons/canvas.h"

namespace tidemark {

std::vector<uint8_t> EncodeBmp32(const Canvas& canvas);

// Raises std::runtime_error naming the file when it cannot be written.
void WriteBmp32(const Canvas& canvas, const std::string& path);

}  // namespace tidemark
