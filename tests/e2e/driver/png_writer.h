// PNG encoding of a 24-bit picture (8-bit RGB, no interlace), for the
// driver's screenshots, and of a picture with alpha (8-bit RGBA), for the
// images of icon files.
#pragma once

#include <cstdint>
#include <vector>

#include "container/rgb_image.h"

namespace tidemark::e2e {

std::vector<uint8_t> EncodePng(const RgbImage& image);

// `rgba`: rows top to bottom, 4 bytes per pixel (red, green, blue, alpha).
std::vector<uint8_t> EncodePngRgba(int width, int height, const std::vector<uint8_t>& rgba);

}  // namespace tidemark::e2e
