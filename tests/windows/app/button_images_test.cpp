#include "app/window/button_images.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "resources/buttons/bmp_file.h"
#include "resources/layout.h"

namespace tidemark {
namespace {

constexpr int kReferenceBmp0 = 300;  // button_images_test.rc

std::vector<uint8_t> ReferencePixels(int index) {
  HMODULE self = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(self, MAKEINTRESOURCEA(kReferenceBmp0 + index), RT_RCDATA);
  if (found == nullptr) return {};
  const auto* bmp = static_cast<const uint8_t*>(LockResource(LoadResource(self, found)));
  const size_t size = SizeofResource(self, found);
  if (size < kBmp32PixelOffset) return {};
  return std::vector<uint8_t>(bmp + kBmp32PixelOffset, bmp + size);
}

TEST(ButtonImages, InflatedPixelsEqualTheDrawnBitmaps) {
  const std::vector<uint8_t> pixels = LoadButtonPixels(GetModuleHandleA(nullptr));
  ASSERT_EQ(pixels.size(), kButtonImageBytes * layout::kButtonImageCount);
  for (int index = 0; index < layout::kButtonImageCount; ++index) {
    const std::vector<uint8_t> reference = ReferencePixels(index);
    ASSERT_EQ(reference.size(), kButtonImageBytes) << "btn" << index << ".bmp";
    EXPECT_TRUE(
        std::equal(reference.begin(), reference.end(), pixels.begin() + index * kButtonImageBytes))
        << "image " << index;
  }
}

TEST(ButtonImages, ListHoldsFourImagesOfButtonSize) {
  UniqueImageList images = LoadButtonImages(GetModuleHandleA(nullptr));
  ASSERT_TRUE(images);
  EXPECT_EQ(ImageList_GetImageCount(images.get()), layout::kButtonImageCount);
  int width = 0, height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(images.get(), &width, &height));
  EXPECT_EQ(width, layout::kButtonImageSize);
  EXPECT_EQ(height, layout::kButtonImageSize);
}

TEST(ButtonImages, ModuleWithoutTheImagesStillGivesFourPlaces) {
  // kernel32 holds no such resource: the images are empty tiles, and the
  // later indices keep their places.
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  EXPECT_TRUE(LoadButtonPixels(kernel).empty());
  UniqueImageList images = LoadButtonImages(kernel);
  ASSERT_TRUE(images);
  EXPECT_EQ(ImageList_GetImageCount(images.get()), layout::kButtonImageCount);
}

}  // namespace
}  // namespace tidemark
