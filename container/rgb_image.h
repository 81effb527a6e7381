// A decoded picture: 24-bit colour, rows top to bottom, 3 bytes per pixel in
// the order red, green, blue, rows packed without padding.
#pragma once

#include <cstdint>
#include <vector>

namespace tidemark {

struct RgbImage {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;  // width * height * 3
  // The data was damaged or cut short; the decoder filled in what it lacked.
  bool patched = false;

  bool empty() const { return width == 0 || height == 0; }
};

}  // namespace tidemark
