#include "app/controls/dib_image.h"

#include <gtest/gtest.h>

namespace tidemark {
namespace {

RgbImage Image(int width, int height) {
  RgbImage image;
  image.width = width;
  image.height = height;
  for (int i = 0; i < width * height; ++i) {
    image.pixels.push_back(static_cast<uint8_t>(i));        // red
    image.pixels.push_back(static_cast<uint8_t>(100 + i));  // green
    image.pixels.push_back(static_cast<uint8_t>(200 + i));  // blue
  }
  return image;
}

TEST(DibImage, StoresRowsBottomUpInBlueGreenRedWithPaddedRows) {
  const DibImage dib = MakeDib(Image(3, 2));
  EXPECT_EQ(dib.width(), 3);
  EXPECT_EQ(dib.height(), 2);  // positive: bottom-up
  EXPECT_EQ(dib.header.biBitCount, 24);
  ASSERT_EQ(dib.bits.size(), 2u * 12u);  // 9 bytes of pixels padded to 12
  // The first stored row is the image's last row (pixels 3 to 5).
  EXPECT_EQ(dib.bits[0], 203);
  EXPECT_EQ(dib.bits[1], 103);
  EXPECT_EQ(dib.bits[2], 3);
  EXPECT_EQ(dib.bits[9], 0);  // padding
  // The second stored row is the image's first row.
  EXPECT_EQ(dib.bits[12], 200);
  EXPECT_EQ(dib.bits[14], 0);
  EXPECT_EQ(dib.bits[12 + 6], 202);
}

TEST(DibImage, RowStrideIsAMultipleOfFourBytes) {
  EXPECT_EQ(DibStride(1), 4u);
  EXPECT_EQ(DibStride(4), 12u);
  EXPECT_EQ(DibStride(5), 16u);
  EXPECT_EQ(DibStride(128), 384u);
}

TEST(DibImage, EmptyImageGivesEmptyBitmap) { EXPECT_TRUE(MakeDib(RgbImage{}).empty()); }

}  // namespace
}  // namespace tidemark
