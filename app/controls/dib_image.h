// A decoded picture in the form GDI draws: a bottom-up device-independent
// bitmap of 24 bits per pixel, blue-green-red, rows padded to 4 bytes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "container/rgb_image.h"

namespace tidemark {

struct DibImage {
  BITMAPINFOHEADER header = {};
  std::vector<uint8_t> bits;

  int width() const { return header.biWidth; }
  int height() const { return header.biHeight; }
  bool empty() const { return bits.empty(); }
  const BITMAPINFO* info() const { return reinterpret_cast<const BITMAPINFO*>(&header); }
};

// Bytes per row of a 24-bit DIB `width` pixels wide.
size_t DibStride(int width);

// An empty image gives an empty DibImage.
DibImage MakeDib(const RgbImage& image);

}  // namespace tidemark
