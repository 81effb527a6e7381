#include "app/window/button_images.h"

#include <algorithm>
#include <cstring>

#include "container/byte_stream.h"
#include "container/errors.h"
#include "container/items.h"
#include "resources/layout.h"
#include "resources/resource_ids.h"
#include "system/common_controls.h"
#include "system/screen_dpi.h"

namespace tidemark {
namespace {

void FillWithButtonFace(uint32_t* pixels, int count) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const uint32_t opaque =
      0xFF000000u | (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  for (int i = 0; i < count; ++i) pixels[i] = opaque;
}

// A 32-bit bottom-up DIB section of one button image; `bits` receives its pixels.
UniqueBitmap CreateImageBitmap(int size, void** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = size;
  info.bmiHeader.biHeight = size;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  *bits = nullptr;
  return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

// Where the centre of pixel `index` of `to_size` falls among `from_size`
// pixels: the lower neighbour and the weight of the upper one.
struct Sample {
  int low, high;
  int weight;  // of `high`, in 256ths
};
Sample SampleAt(int index, int from_size, int to_size) {
  // Centres map onto centres: (index + 0.5) * from / to - 0.5, in 256ths.
  const int position = std::max(0, ((2 * index + 1) * from_size * 256 / to_size - 256) / 2);
  const int low = std::min(position / 256, from_size - 1);
  return Sample{low, std::min(low + 1, from_size - 1), low == from_size - 1 ? 0 : position % 256};
}

}  // namespace

std::vector<uint8_t> ScaleButtonImage(const uint8_t* pixels, int from_size, int to_size) {
  std::vector<uint8_t> scaled(static_cast<size_t>(to_size) * to_size * 4);
  const auto at = [&](int row, int column, int channel) -> int {
    return pixels[(static_cast<size_t>(row) * from_size + column) * 4 + channel];
  };
  for (int row = 0; row < to_size; ++row) {
    const Sample y = SampleAt(row, from_size, to_size);
    for (int column = 0; column < to_size; ++column) {
      const Sample x = SampleAt(column, from_size, to_size);
      for (int channel = 0; channel < 4; ++channel) {
        const int low =
            at(y.low, x.low, channel) * (256 - x.weight) + at(y.low, x.high, channel) * x.weight;
        const int high =
            at(y.high, x.low, channel) * (256 - x.weight) + at(y.high, x.high, channel) * x.weight;
        const int value = (low * (256 - y.weight) + high * y.weight + (1 << 15)) >> 16;
        scaled[(static_cast<size_t>(row) * to_size + column) * 4 + channel] =
            static_cast<uint8_t>(value);
      }
    }
  }
  return scaled;
}

std::vector<uint8_t> LoadButtonPixels(HINSTANCE instance) {
  HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(IDR_BUTTON_IMAGES), RT_RCDATA);
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  const void* packed = loaded != nullptr ? LockResource(loaded) : nullptr;
  if (packed == nullptr) return {};
  MemorySource source(static_cast<const uint8_t*>(packed), SizeofResource(instance, found));
  MemorySink pixels;
  try {
    InflateItem(source, pixels,
                static_cast<int32_t>(kButtonImageBytes * layout::kButtonImageCount));
  } catch (const Error&) {
    return {};  // a damaged resource gives blank tiles, not an error
  }
  return std::move(pixels.bytes());
}

UniqueImageList LoadButtonImages(HINSTANCE instance, int dpi) {
  const int size = ScaleToDpi(layout::kButtonImageSize, dpi);
  UniqueImageList images(
      comctl::ImageList_Create(size, size, ILC_COLOR32, layout::kButtonImageCount, 0));
  if (!images) return images;
  const std::vector<uint8_t> pixels = LoadButtonPixels(instance);
  for (int index = 0; index < layout::kButtonImageCount; ++index) {
    void* bits = nullptr;
    UniqueBitmap bitmap = CreateImageBitmap(size, &bits);
    if (bits != nullptr) {
      if (!pixels.empty()) {
        const uint8_t* image = pixels.data() + index * kButtonImageBytes;
        if (size == layout::kButtonImageSize) {
          std::memcpy(bits, image, kButtonImageBytes);
        } else {
          const std::vector<uint8_t> scaled =
              ScaleButtonImage(image, layout::kButtonImageSize, size);
          std::memcpy(bits, scaled.data(), scaled.size());
        }
      } else {
        // Keep the indices of the later images with a tile of the button's
        // own colour, which shows as nothing.
        FillWithButtonFace(static_cast<uint32_t*>(bits), size * size);
      }
    }
    comctl::ImageList_Add(images.get(), bitmap.get(), nullptr);  // the list keeps its own copy
  }
  return images;
}

}  // namespace tidemark
