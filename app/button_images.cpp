#include "app/button_images.h"

#include "resources/layout.h"
#include "resources/resource_ids.h"

namespace tidemark {

UniqueImageList LoadButtonImages(HINSTANCE instance) {
  const int size = layout::kButtonImageSize;
  UniqueImageList images(ImageList_Create(size, size, ILC_COLOR32, layout::kButtonImageCount, 0));
  if (!images) return images;
  for (int index = 0; index < layout::kButtonImageCount; ++index) {
    UniqueBitmap bitmap(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDB_BUTTON_IMAGE_0 + index), IMAGE_BITMAP, 0, 0,
                   LR_CREATEDIBSECTION)));
    if (!bitmap) {
      // Keep the indices of the later images: an empty 32-bit bitmap is
      // fully transparent.
      BITMAPINFO info = {};
      info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
      info.bmiHeader.biWidth = size;
      info.bmiHeader.biHeight = size;
      info.bmiHeader.biPlanes = 1;
      info.bmiHeader.biBitCount = 32;
      void* bits = nullptr;
      bitmap.Reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    }
    ImageList_Add(images.get(), bitmap.get(), nullptr);  // the list keeps its own copy
  }
  return images;
}

}  // namespace tidemark
