// Runs under Wine: the cross-built zlib and libjpeg work together with the
// container's item decoding inside a Windows program.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

#include "container/byte_stream.h"
#include "container/items.h"

namespace tidemark {
namespace {

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& content) {
  uLongf size = compressBound(static_cast<uLong>(content.size()));
  std::vector<uint8_t> stream(size);
  EXPECT_EQ(compress2(stream.data(), &size, content.data(),
                      static_cast<uLong>(content.size()), Z_BEST_COMPRESSION),
            Z_OK);
  stream.resize(size);
  return stream;
}

void Append(std::vector<uint8_t>& to, const std::vector<uint8_t>& bytes) {
  to.insert(to.end(), bytes.begin(), bytes.end());
}

// A picture whose left half is red and right half blue.
std::vector<uint8_t> EncodeTwoColourJpeg(int width, int height) {
  std::vector<uint8_t> rgb(static_cast<size_t>(width) * height * 3);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      uint8_t* pixel = &rgb[(static_cast<size_t>(y) * width + x) * 3];
      pixel[0] = x < width / 2 ? 255 : 0;
      pixel[2] = x < width / 2 ? 0 : 255;
    }
  }
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long out_size = 0;
  jpeg_mem_dest(&info, &out, &out_size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 95, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = &rgb[static_cast<size_t>(info.next_scanline) * width * 3];
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<uint8_t> jpeg(out, out + out_size);
  jpeg_destroy_compress(&info);
  std::free(out);
  return jpeg;
}

TEST(WindowsSmoke, InflatesConsecutiveItemsThroughMemorySink) {
  const std::vector<uint8_t> first(70000, 'a');
  std::vector<uint8_t> second;
  for (int i = 0; i < 5000; ++i) second.push_back(static_cast<uint8_t>(i * 7));
  std::vector<uint8_t> container;
  Append(container, Deflate(first));
  const int64_t second_start = static_cast<int64_t>(container.size());
  Append(container, Deflate(second));

  MemorySource source(container);
  MemorySink first_out;
  ASSERT_TRUE(InflateItem(source, first_out, static_cast<int32_t>(first.size())));
  EXPECT_EQ(first_out.bytes(), first);
  EXPECT_EQ(source.Position(), second_start);

  MemorySink second_out;
  ASSERT_TRUE(InflateItem(source, second_out, static_cast<int32_t>(second.size())));
  EXPECT_EQ(second_out.bytes(), second);
  EXPECT_EQ(source.Position(), source.Size());
}

TEST(WindowsSmoke, DecodesJpegItemAtFullSize) {
  const std::vector<uint8_t> jpeg = EncodeTwoColourJpeg(32, 16);
  MemorySource source(Deflate(jpeg));

  const RgbImage image = LoadJpegItem(source, static_cast<int32_t>(jpeg.size()));

  ASSERT_EQ(image.width, 32);
  ASSERT_EQ(image.height, 16);
  ASSERT_EQ(image.pixels.size(), 32u * 16u * 3u);
  const uint8_t* left = &image.pixels[(8 * 32 + 4) * 3];
  const uint8_t* right = &image.pixels[(8 * 32 + 28) * 3];
  EXPECT_GT(left[0], 200);
  EXPECT_LT(left[2], 60);
  EXPECT_LT(right[0], 60);
  EXPECT_GT(right[2], 200);
  EXPECT_EQ(source.Position(), source.Size());
}

}  // namespace
}  // namespace tidemark
