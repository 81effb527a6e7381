#include "app/button_images.h"

#include <cstdint>

#include "resources/layout.h"
#include "resources/resource_ids.h"

namespace tidemark {
namespace {

void FillWithButtonFace(uint32_t* pixels, int count) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const uint32_t opaque = 0xFF000000u | (GetRValue(face) << 16) | (GetGValue(face) << 8) |
                          GetBValue(face);
  for (int i = 0; i < count; ++i) pixels[i] = opaque;
}

}  // namespace

UniqueImageList LoadButtonImages(HINSTANCE instance) {
  const int size = layout::kButtonImageSize;
  UniqueImageList images(ImageList_Create(size, size, ILC_COLOR32, layout::kButtonImageCount, 0));
  if (!images) return images;
  for (int index = 0; index < layout::kButtonImageCount; ++index) {
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_BUTTON_IMAGE_0 + index), IMAGE_BITMAP, 0, 0,
                   LR_CREATEDIBSECTION)));
    if (!bitmap) {
      // Keep the indices of the later images with a tile of the button's
      // own colour, which shows as nothing.
      BITMAPINFO info = {};
      info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      info.bmiHeader.biWidth = size;
      info.bmiHeader.biHeight = size;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      void* bits = nullptr;
      bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
      if (bits != nullptr) FillWithButtonFace(static_cast<uint32_t*>(bits), size * size);
    }
    ImageList_Add(images.get(), bitmap.get(), nullptr);  // the list keeps its own copy
  }
  return images;
}

}  // namespace tidemark
