#include "app/window/button_images.h"

#include <cstring>

#include "container/byte_stream.h"
#include "container/errors.h"
#include "container/items.h"
#include "resources/layout.h"
#include "resources/resource_ids.h"
#include "system/common_controls.h"

namespace tidemark {
namespace {

void FillWithButtonFace(uint32_t* pixels, int count) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const uint32_t opaque =
      0xFF000000u | (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
  for (int i = 0; i < count; ++i) pixels[i] = opaque;
}

// A 32-bit bottom-up DIB section of one button image; `bits` receives its pixels.
UniqueBitmap CreateImageBitmap(void** bits) {
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = layout::kButtonImageSize;
  info.bmiHeader.biHeight = layout::kButtonImageSize;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  *bits = nullptr;
  return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

}  // namespace

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

UniqueImageList LoadButtonImages(HINSTANCE instance) {
  const int size = layout::kButtonImageSize;
  UniqueImageList images(
      comctl::ImageList_Create(size, size, ILC_COLOR32, layout::kButtonImageCount, 0));
  if (!images) return images;
  const std::vector<uint8_t> pixels = LoadButtonPixels(instance);
  for (int index = 0; index < layout::kButtonImageCount; ++index) {
    void* bits = nullptr;
    UniqueBitmap bitmap = CreateImageBitmap(&bits);
    if (bits != nullptr) {
      if (!pixels.empty()) {
        std::memcpy(bits, pixels.data() + index * kButtonImageBytes, kButtonImageBytes);
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
