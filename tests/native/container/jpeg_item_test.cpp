#include <gtest/gtest.h>

#include <cstdlib>

#include "container/errors.h"
#include "container/items.h"
#include "tests/native/container/test_support.h"

namespace tidemark {
namespace {

using test::Bytes;

TEST(JpegItemTest, DecodesAtFullScaleInto24BitColour) {
  const Bytes jpeg = test::EncodeJpeg(48, 32);
  const Bytes data = test::Concat({test::Deflate(jpeg), test::ToBytes("about")});
  MemorySource source(data);
  const RgbImage image = LoadJpegItem(source, static_cast<int32_t>(jpeg.size()));
  ASSERT_EQ(image.width, 48);
  ASSERT_EQ(image.height, 32);
  ASSERT_EQ(image.pixels.size(), 48u * 32u * 3u);
  // The gradient: red grows to the right, green downwards, blue stays low.
  const auto pixel = [&](int x, int y, int channel) {
    return int{image.pixels[(static_cast<size_t>(y) * 48 + x) * 3 + channel]};
  };
  EXPECT_LT(pixel(0, 0, 0), 20);
  EXPECT_GT(pixel(47, 0, 0), 235);
  EXPECT_LT(pixel(0, 0, 1), 20);
  EXPECT_GT(pixel(0, 31, 1), 235);
  EXPECT_NEAR(pixel(20, 20, 2), 64, 12);
  EXPECT_EQ(source.Position(), static_cast<int64_t>(data.size() - 5));
}

TEST(JpegItemTest, GreyImagesComeOutAsColour) {
  const Bytes jpeg = test::EncodeJpeg(9, 7, /*grey=*/true);
  MemorySource source(test::Deflate(jpeg));
  const RgbImage image = LoadJpegItem(source, static_cast<int32_t>(jpeg.size()));
  ASSERT_EQ(image.pixels.size(), 9u * 7u * 3u);
  for (uint8_t value : image.pixels) EXPECT_NEAR(int{value}, 128, 2);
}

TEST(JpegItemTest, BrokenPicturesRaiseInsteadOfEndingTheProgram) {
  const Bytes not_jpeg = test::ToBytes("{\\rtf1 this is no picture}");
  MemorySource source(test::Deflate(not_jpeg));
  EXPECT_THROW(LoadJpegItem(source, static_cast<int32_t>(not_jpeg.size())), Error);

  // A header claiming a picture of 65000 x 65000 pixels.
  Bytes huge = test::EncodeJpeg(8, 8);
  for (size_t i = 0; i + 8 < huge.size(); ++i) {
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 5] = 0xFD, huge[i + 6] = 0xE8, huge[i + 7] = 0xFD, huge[i + 8] = 0xE8;
      break;
    }
  }
  MemorySource huge_source(test::Deflate(huge));
  EXPECT_THROW(LoadJpegItem(huge_source, static_cast<int32_t>(huge.size())), Error);

  // A picture cut short decodes with what is there.
  const Bytes whole = test::EncodeJpeg(64, 64);
  const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2));
  MemorySource cut_source(test::Deflate(cut));
  EXPECT_EQ(LoadJpegItem(cut_source, static_cast<int32_t>(cut.size())).width, 64);
}

TEST(JpegItemTest, SplashClaimingMoreThanTheImageHoldsFailsOnTheStream) {
  const Bytes jpeg = test::EncodeJpeg(16, 16);
  const Bytes data = test::Concat({test::Deflate(jpeg), test::RandomBytes(1 << 20, 21)});
  MemorySource source(data);
  try {
    LoadJpegItem(source, INT32_MAX);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "Stream read error");
  }
}

}  // namespace
}  // namespace tidemark
