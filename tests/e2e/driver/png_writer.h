// PNG encoding of a 24-bit picture (8-bit RGB, no interlace), for the
// driver's screenshots.
#pragma once

#include <cstdint>
#include <vector>

#include "container/rgb_image.h"

namespace tidemark::e2e {

std::vector<uint8_t> EncodePng(const RgbImage& image);

}  // namespace tidemark::e2e
