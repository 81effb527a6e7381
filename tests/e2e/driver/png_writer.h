// PNG encoding of a 24-bit picture (8-bit RGB, no interlace), for the
// driver's screenshots.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "container/rgb_image.h"

namespace tidemark::e2e {

std::vector<uint8_t> EncodePng(const RgbImage& image);

// Raises std::runtime_error naming the file when it cannot be written.
void WritePng(const RgbImage& image, const std::string& path);

}  // namespace tidemark::e2e
