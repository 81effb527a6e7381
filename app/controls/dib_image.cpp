#include "app/controls/dib_image.h"

namespace tidemark {

size_t DibStride(int width) {
  return (static_cast<size_t>(width) * 3 + 3) & ~static_cast<size_t>(3);
}

DibImage MakeDib(const RgbImage& image) {
  DibImage dib;
  if (image.empty()) return dib;
  dib.header.biSize = sizeof(BITMAPINFOHEADER);
  dib.header.biWidth = image.width;
  dib.header.biHeight = image.height;  // positive: the last row comes first
  dib.header.biPlanes = 1;
  dib.header.biBitCount = 24;
  dib.header.biCompression = BI_RGB;
  const size_t stride = DibStride(image.width);
  dib.bits.assign(stride * static_cast<size_t>(image.height), 0);
  const size_t source_stride = static_cast<size_t>(image.width) * 3;
  for (int row = 0; row < image.height; ++row) {
    const uint8_t* source = image.pixels.data() + static_cast<size_t>(row) * source_stride;
    uint8_t* target = dib.bits.data() + static_cast<size_t>(image.height - 1 - row) * stride;
    for (int column = 0; column < image.width; ++column) {
      target[0] = source[2];
      target[1] = source[1];
      target[2] = source[0];
      source += 3;
      target += 3;
    }
  }
  dib.header.biSizeImage = static_cast<DWORD>(dib.bits.size());
  return dib;
}

}  // namespace tidemark
