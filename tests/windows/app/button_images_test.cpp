#include "app/window/button_images.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "resources/buttons/bmp_file.h"
#include "resources/layout.h"
#include "system/screen_dpi.h"

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
  UniqueImageList images = LoadButtonImages(GetModuleHandleA(nullptr), kDesignDpi);
  ASSERT_TRUE(images);
  EXPECT_EQ(ImageList_GetImageCount(images.get()), layout::kButtonImageCount);
  int width = 0, height = 0;
  ASSERT_TRUE(ImageList_GetIconSize(images.get(), &width, &height));
  EXPECT_EQ(width, layout::kButtonImageSize);
  EXPECT_EQ(height, layout::kButtonImageSize);
}

TEST(ButtonImages, ImagesGrowWithTheDpi) {
  const struct {
    int dpi;
    int size;
  } kCases[] = {{96, 32}, {120, 40}, {144, 48}, {192, 64}};
  for (const auto& expected : kCases) {
    UniqueImageList images = LoadButtonImages(GetModuleHandleA(nullptr), expected.dpi);
    ASSERT_TRUE(images);
    EXPECT_EQ(ImageList_GetImageCount(images.get()), layout::kButtonImageCount);
    int width = 0, height = 0;
    ASSERT_TRUE(ImageList_GetIconSize(images.get(), &width, &height));
    EXPECT_EQ(width, expected.size) << expected.dpi;
    EXPECT_EQ(height, expected.size) << expected.dpi;
  }
}

// Scaling keeps flat areas flat and blends across an edge, without going
// beyond the colours on either side.
TEST(ButtonImages, ScalingIsSmooth) {
  std::vector<uint8_t> half(4 * 4 * 4, 0);
  for (int row = 0; row < 4; ++row) {
    for (int column = 2; column < 4; ++column) {
      for (int channel = 0; channel < 4; ++channel) half[(row * 4 + column) * 4 + channel] = 200;
    }
  }
  const std::vector<uint8_t> scaled = ScaleButtonImage(half.data(), 4, 6);
  ASSERT_EQ(scaled.size(), 6u * 6u * 4u);
  for (int row = 0; row < 6; ++row) {
    const uint8_t* line = &scaled[row * 6 * 4];
    EXPECT_EQ(line[0], 0) << row;
    EXPECT_EQ(line[5 * 4], 200) << row;
    EXPECT_GT(line[2 * 4], 0) << row;  // the edge is blended
    EXPECT_LT(line[3 * 4], 200) << row;
    for (int column = 1; column < 6; ++column) EXPECT_GE(line[column * 4], line[column * 4 - 4]);
  }
  EXPECT_EQ(ScaleButtonImage(half.data(), 4, 4), half);
}

TEST(ButtonImages, ModuleWithoutTheImagesStillGivesFourPlaces) {
  // kernel32 holds no such resource: the images are empty tiles, and the
  // later indices keep their places.
  HMODULE kernel = GetModuleHandleA("kernel32.dll");
  EXPECT_TRUE(LoadButtonPixels(kernel).empty());
  UniqueImageList images = LoadButtonImages(kernel, kDesignDpi);
  ASSERT_TRUE(images);
  EXPECT_EQ(ImageList_GetImageCount(images.get()), layout::kButtonImageCount);
}

}  // namespace
}  // namespace tidemark
