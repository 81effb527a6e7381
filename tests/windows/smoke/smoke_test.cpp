// Runs under Wine: the cross-built zlib and libjpeg work together with the
// container's item decoding and the Win32 file sink inside a Windows program.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "container/byte_stream.h"
#include "container/errors.h"
#include "container/items.h"
#include "tests/native/container/test_support.h"

namespace tidemark {
namespace {

using test::Bytes;
using test::Concat;
using test::Deflate;
using test::EncodeJpeg;

TEST(WindowsSmoke, InflatesConsecutiveItemsThroughMemorySink) {
  const Bytes first = test::TextLikeBytes(70000, 1);
  const Bytes second = test::RandomBytes(5000, 2);
  const Bytes first_stream = Deflate(first);
  MemorySource source(Concat({first_stream, Deflate(second)}));

  MemorySink first_out;
  ASSERT_TRUE(InflateItem(source, first_out, static_cast<int32_t>(first.size())));
  EXPECT_EQ(first_out.bytes(), first);
  EXPECT_EQ(source.Position(), static_cast<int64_t>(first_stream.size()));

  MemorySink second_out;
  ASSERT_TRUE(InflateItem(source, second_out, static_cast<int32_t>(second.size())));
  EXPECT_EQ(second_out.bytes(), second);
  EXPECT_EQ(source.Position(), source.Size());
}

TEST(WindowsSmoke, DecodesJpegItemAtFullSize) {
  const Bytes jpeg = EncodeJpeg(32, 16);
  MemorySource source(Deflate(jpeg));

  const RgbImage image = LoadJpegItem(source, static_cast<int32_t>(jpeg.size()));

  ASSERT_EQ(image.width, 32);
  ASSERT_EQ(image.height, 16);
  ASSERT_EQ(image.pixels.size(), 32u * 16u * 3u);
  // A gradient: red grows to the right, green downwards.
  const uint8_t* top_left = &image.pixels[0];
  const uint8_t* bottom_right = &image.pixels[(15 * 32 + 31) * 3];
  EXPECT_LT(top_left[0], 40);
  EXPECT_LT(top_left[1], 40);
  EXPECT_GT(bottom_right[0], 215);
  EXPECT_GT(bottom_right[1], 215);
  EXPECT_EQ(source.Position(), source.Size());
}

// libjpeg's errors leave it by a jump from deep inside its header reader;
// the program goes on as before, many times over, and its next picture
// decodes. The stub names the error by libjpeg's number only.
TEST(WindowsSmoke, BrokenJpegRaisesLibjpegsErrorAndDecodingGoesOn) {
  const Bytes not_jpeg = test::ToBytes("{\\rtf1 this is no picture}");
  const Bytes stream = Deflate(not_jpeg);
  for (int attempt = 0; attempt < 200; ++attempt) {
    MemorySource source(stream);
    try {
      LoadJpegItem(source, static_cast<int32_t>(not_jpeg.size()));
      FAIL() << "no error";
    } catch (const Error& error) {
      ASSERT_EQ(std::string(error.what()).rfind("JPEG error ", 0), 0u) << error.what();
    }
  }
  // A picture cut short: libjpeg reports the early end as a warning only.
  Bytes cut = EncodeJpeg(64, 64);
  cut.resize(cut.size() / 2);
  MemorySource cut_source(Deflate(cut));
  EXPECT_EQ(LoadJpegItem(cut_source, static_cast<int32_t>(cut.size())).width, 64);
}

TEST(WindowsSmoke, InflatesItemIntoFileThroughWin32Sink) {
  test::TempFolder folder;
  const Bytes content = test::TextLikeBytes(200000, 3);
  MemorySource source(Deflate(content));
  int64_t reported = 0;

  InflateItemToFile(source, *CreateFileSink(folder.File("item.bin")),
                    static_cast<int32_t>(content.size()),
                    [&reported](int64_t bytes) { reported += bytes; });

  EXPECT_EQ(test::ReadWholeFile(folder.File("item.bin")), content);
  EXPECT_EQ(reported, static_cast<int64_t>(content.size()));
}

}  // namespace
}  // namespace tidemark
