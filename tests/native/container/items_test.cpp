#include "container/items.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <numeric>
#include <tuple>

#include "container/errors.h"
#include "container/exe_image.h"
#include "container/layout.h"
#include "tests/native/container/test_support.h"

namespace tidemark {
namespace {

using test::Bytes;
using test::ToBytes;

// Runs `operation` and returns the message of the Error it raises.
template <typename Operation>
std::string ErrorOf(Operation operation) {
  try {
    operation();
  } catch (const Error& e) {
    return e.what();
  }
  return "(no error)";
}

Bytes Inflate(ByteSource& source, int32_t size) {
  MemorySink sink;
  EXPECT_TRUE(InflateItem(source, sink, size));
  return sink.bytes();
}

// zlib streams whose lengths lie in [low, high], keyed by length. Stored
// blocks (random content at level 0) hit every length; Huffman-coded ones
// (text at level 1) hit most, found near the smallest content that reaches
// `low`.
std::map<size_t, std::pair<Bytes, Bytes>> StreamsWithLengths(size_t low, size_t high, bool coded) {
  static const Bytes text = test::TextLikeBytes(size_t{1} << 20, 5);
  static const Bytes random = test::RandomBytes(size_t{1} << 20, 5);
  const auto content_of = [coded](size_t n) {
    const Bytes& pool = coded ? text : random;
    return Bytes(pool.begin(),
                 pool.begin() + static_cast<std::ptrdiff_t>(std::min(n, pool.size())));
  };
  const auto stream_of = [coded](const Bytes& content) {
    return test::Deflate(content, coded ? 1 : 0);
  };
  size_t first = 1, last = low;
  while (stream_of(content_of(last)).size() < low) last *= 2;
  while (first < last) {
    const size_t middle = first + (last - first) / 2;
    if (stream_of(content_of(middle)).size() < low)
      first = middle + 1;
    else
      last = middle;
  }
  std::map<size_t, std::pair<Bytes, Bytes>> found;
  for (size_t n = first; n < first + 400; ++n) {
    Bytes content = content_of(n);
    Bytes stream = stream_of(content);
    const size_t length = stream.size();
    if (length > high + 8) break;
    if (length >= low && length <= high && !found.count(length)) {
      found.emplace(length, std::make_pair(std::move(content), std::move(stream)));
    }
  }
  return found;
}

// --- Streams and the 65536-byte input chunks ---------------------------------

// A source over `data` that is read through a buffer (MemorySource), or one
// whose bytes the decompressor uses where they lie (the executable's image).
std::unique_ptr<ByteSource> SourceOver(const Bytes& data, bool in_place) {
  if (in_place) return std::make_unique<ExeImage>(std::make_unique<VectorStorage>(data));
  return std::make_unique<MemorySource>(data);
}

// (Huffman-coded rather than stored streams, input used in place)
class ChunkBoundaryTest : public ::testing::TestWithParam<std::tuple<bool, bool>> {};

TEST_P(ChunkBoundaryTest, BackToBackItemsWhereverTheFirstEndsAroundAChunk) {
  const auto [coded, in_place] = GetParam();
  const Bytes second_content = test::TextLikeBytes(1000, 77);
  const Bytes second = test::Deflate(second_content);
  for (size_t chunk_end : {kInflateChunk, 2 * kInflateChunk}) {
    const auto streams = StreamsWithLengths(chunk_end - 8, chunk_end + 8, coded);
    ASSERT_GE(streams.size(), coded ? 10u : 17u);
    for (const auto& [length, item] : streams) {
      const auto& [content, stream] = item;
      const auto source = SourceOver(test::Concat({stream, second, ToBytes("tail")}), in_place);
      ASSERT_EQ(Inflate(*source, static_cast<int32_t>(content.size())), content) << length;
      ASSERT_EQ(source->Position(), static_cast<int64_t>(length));
      ASSERT_EQ(Inflate(*source, static_cast<int32_t>(second_content.size())), second_content);
      ASSERT_EQ(source->Position(), static_cast<int64_t>(length + second.size()));

      // The same stream as the last bytes of the source.
      const auto alone = SourceOver(stream, in_place);
      ASSERT_EQ(Inflate(*alone, static_cast<int32_t>(content.size())), content) << length;
      ASSERT_EQ(alone->Position(), static_cast<int64_t>(length));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(StoredAndCoded, ChunkBoundaryTest,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool()));

TEST(InflateItemTest, ItemStartingInsideTheSourceAndEmptyContent) {
  const Bytes content = test::TextLikeBytes(200000, 3);
  const Bytes empty_stream = test::Deflate({});
  const Bytes data =
      test::Concat({ToBytes("prefix"), test::Deflate(content), empty_stream, ToBytes("x")});
  MemorySource source(data);
  source.Seek(6);
  EXPECT_EQ(Inflate(source, static_cast<int32_t>(content.size())), content);
  EXPECT_EQ(Inflate(source, 0), Bytes());
  EXPECT_EQ(source.Position(), static_cast<int64_t>(data.size() - 1));
}

// --- Damaged and short streams ------------------------------------------------

TEST(InflateItemTest, DamagedStreamsFailWithError) {
  const Bytes content = test::TextLikeBytes(5000, 1);
  const Bytes stream = test::Deflate(content);

  Bytes bad_header = stream;
  bad_header[1] ^= 0x01;  // header check fails
  Bytes bad_method = stream;
  bad_method[0] = 0x79;  // compression method 9
  Bytes bad_block = stream;
  bad_block[2] |= 0x06;  // block type 3, which does not exist
  const Bytes with_dictionary = test::DeflateWithDictionary(content, ToBytes("tide mark install"));

  for (const Bytes* damaged : std::initializer_list<const Bytes*>{&bad_header, &bad_method,
                                                                  &bad_block, &with_dictionary}) {
    MemorySource source(*damaged);
    MemorySink sink;
    EXPECT_EQ(ErrorOf([&] { InflateItem(source, sink, 5000); }), kDecompressionError);
    // The source stands after the input the decompressor consumed, not at
    // the end of a chunk.
    EXPECT_LT(source.Position(), static_cast<int64_t>(damaged->size()));
  }
}

TEST(InflateItemTest, WrongAdlerFailsAndTheNextItemStartsAfterTheTrailer) {
  const Bytes content = test::TextLikeBytes(100000, 2);
  Bytes stream = test::Deflate(content);
  stream.back() ^= 0xFF;
  const Bytes next = test::Deflate(ToBytes("next item"));
  const Bytes data = test::Concat({stream, next});
  MemorySource source(data);
  MemorySink sink;
  EXPECT_EQ(ErrorOf([&] { InflateItem(source, sink, 100000); }), "Error");
  EXPECT_EQ(source.Position(), static_cast<int64_t>(stream.size()));
  EXPECT_EQ(Inflate(source, 9), ToBytes("next item"));
}

TEST(InflateItemTest, DataEndingBeforeTheContentIsAStreamReadError) {
  const Bytes content = test::RandomBytes(150000, 4);
  const Bytes stream = test::Deflate(content, 1);
  for (bool in_place : {false, true}) {
    for (size_t cut : {size_t{0}, size_t{1}, size_t{2}, size_t{70000}, stream.size() - 5}) {
      const auto source = SourceOver(Bytes(stream.begin(), stream.begin() + cut), in_place);
      MemorySink sink;
      EXPECT_EQ(ErrorOf([&] { InflateItem(*source, sink, 150000); }), kStreamReadError) << cut;
      EXPECT_EQ(source->Position(), static_cast<int64_t>(cut));
    }
  }
}

TEST(InflateItemTest, TrailerCutShortIsAStreamReadError) {
  const Bytes stream = test::Deflate(ToBytes("abc"));
  for (size_t missing = 1; missing <= 4; ++missing) {
    MemorySource source(Bytes(stream.begin(), stream.end() - static_cast<long>(missing)));
    MemorySink sink;
    EXPECT_EQ(ErrorOf([&] { InflateItem(source, sink, 3); }), kStreamReadError) << missing;
  }
}

TEST(InflateItemTest, StreamShorterThanTheSizeIsAStreamReadError) {
  const Bytes stream = test::Deflate(ToBytes("only eleven"));
  const Bytes data = test::Concat({stream, ToBytes("following")});
  MemorySource source(data);
  MemorySink sink;
  EXPECT_EQ(ErrorOf([&] { InflateItem(source, sink, 12); }), kStreamReadError);
  EXPECT_EQ(source.Position(), static_cast<int64_t>(stream.size()));
}

TEST(InflateItemTest, StreamLongerThanTheSizeIsDamaged) {
  const Bytes content = test::TextLikeBytes(300000, 8);
  const Bytes stream = test::Deflate(content);
  for (int32_t size : {0, 1, 65536, 299999}) {
    MemorySource source(stream);
    MemorySink sink;
    EXPECT_EQ(ErrorOf([&] { InflateItem(source, sink, size); }), kDecompressionError) << size;
  }
}

TEST(InflateItemTest, NegativeSizeIsRefusedWithoutReading) {
  const Bytes stream = test::Deflate(ToBytes("abc"));
  MemorySource source(stream);
  MemorySink sink;
  EXPECT_EQ(ErrorOf([&] { InflateItem(source, sink, -1); }), kStreamReadError);
  EXPECT_EQ(ErrorOf([&] { LoadRichTextItem(source, INT32_MIN); }), kStreamReadError);
  EXPECT_EQ(source.Position(), 0);
}

// --- Raw items ----------------------------------------------------------------

TEST(RawItemTest, TextsAreReadFromTheByteAfterThePreviousOne) {
  const Bytes data = ToBytes("{\\rtf1 About}{\\rtf1 Licence}");
  MemorySource source(data);
  // An about size one byte too short: the licence begins with its last byte.
  EXPECT_EQ(LoadRichTextItem(source, 12), ToBytes("{\\rtf1 About"));
  EXPECT_EQ(LoadRichTextItem(source, 15), ToBytes("}{\\rtf1 Licence"));
  EXPECT_EQ(LoadRichTextItem(source, 0), Bytes());
  EXPECT_EQ(source.Position(), static_cast<int64_t>(data.size() - 1));
}

TEST(RawItemTest, ClaimingMoreThanTheSourceHoldsIsAStreamReadError) {
  const Bytes data = test::RandomBytes(1 << 20, 6);
  MemorySource source(data);
  source.Seek(100);
  // Fails after reading what is there, without first allocating 2 GiB.
  EXPECT_EQ(ErrorOf([&] { LoadRichTextItem(source, INT32_MAX); }), kStreamReadError);
  EXPECT_EQ(source.Position(), source.Size());
}

// --- Items written to files ---------------------------------------------------

struct ProgressLog {
  std::vector<int64_t> steps;
  std::vector<int64_t> file_sizes_seen;  // size of the file at each step
  // The pieces add up to `size`, more than one for a file of several
  // pieces, and the last is reported once the file is whole.
  void ExpectPiecesOfAWholeFile(int64_t size, size_t at_least) const {
    EXPECT_EQ(std::accumulate(steps.begin(), steps.end(), int64_t{0}), size);
    EXPECT_GE(steps.size(), at_least);
    ASSERT_FALSE(file_sizes_seen.empty());
    EXPECT_EQ(file_sizes_seen.back(), size);
  }
  ProgressFn For(const std::string& path) {
    return [this, path](int64_t step) {
      steps.push_back(step);
      file_sizes_seen.push_back(static_cast<int64_t>(std::filesystem::file_size(path)));
    };
  }
};

TEST(ItemToFileTest, InflatesIntoANewFileAndReportsProgressPieceByPiece) {
  test::TempFolder folder;
  const std::string path = folder.File("Marrowlight.exe");
  test::WriteFile(path, ToBytes("an older, longer file that is replaced entirely"));
  const Bytes content = test::RandomBytes(635904, 11);
  const Bytes data = test::Concat({test::Deflate(content), ToBytes("next")});
  MemorySource source(data);
  ProgressLog progress;
  InflateItemToFile(source, *CreateFileSink(path), 635904, progress.For(path));
  EXPECT_EQ(test::ReadWholeFile(path), content);
  progress.ExpectPiecesOfAWholeFile(635904, 4);
  EXPECT_EQ(source.Position(), static_cast<int64_t>(data.size() - 4));

  // An empty file is a valid item.
  MemorySource empty(test::Deflate({}));
  InflateItemToFile(empty, *CreateFileSink(folder.File("empty.dat")), 0, progress.For(path));
  EXPECT_TRUE(std::filesystem::exists(folder.File("empty.dat")));
  EXPECT_EQ(std::filesystem::file_size(folder.File("empty.dat")), 0u);
}

TEST(ItemToFileTest, FailuresLeaveTheFileClosedAndItsEndUnreported) {
  test::TempFolder folder;
  ProgressLog progress;
  const Bytes content = test::TextLikeBytes(200000, 12);
  Bytes damaged = test::Deflate(content);
  damaged[damaged.size() / 2] ^= 0x55;

  const std::string missing_folder = folder.File("docs/Manual.pdf");
  MemorySource source(damaged);
  const std::string message = ErrorOf([&] {
    InflateItemToFile(source, *CreateFileSink(missing_folder), 200000,
                      progress.For(missing_folder));
  });
  EXPECT_EQ(message.rfind("Cannot create file \"" + missing_folder + "\". ", 0), 0u) << message;
  EXPECT_EQ(source.Position(), 0);

  const std::string path = folder.File("damaged.dat");
  EXPECT_EQ(ErrorOf([&] {
              InflateItemToFile(source, *CreateFileSink(path), 200000, progress.For(path));
            }),
            kDecompressionError);
  EXPECT_TRUE(std::filesystem::exists(path));  // left with what was written

  // A negative size is refused before the source is read; the stub checks
  // it with RequireItemSize before it creates the file.
  EXPECT_EQ(ErrorOf([] { RequireItemSize(-5); }), kStreamReadError);
  const std::string negative = folder.File("negative.dat");
  const int64_t before = source.Position();
  EXPECT_EQ(ErrorOf([&] {
              InflateItemToFile(source, *CreateFileSink(negative), -5, progress.For(negative));
            }),
            kStreamReadError);
  EXPECT_EQ(source.Position(), before);
  // Pieces of the damaged item may have been counted, never all of them.
  EXPECT_LT(std::accumulate(progress.steps.begin(), progress.steps.end(), int64_t{0}), 200000);
}

TEST(CopyRawToFileTest, CopiesTheUninstallerImageFromOffsetZero) {
  test::TempFolder folder;
  const std::string path = folder.File("uninstall.exe");
  const Bytes image = test::RandomBytes(3 * 61440 + 17, 13);
  MemorySource source(image);
  source.Seek(0);
  ProgressLog progress;
  CopyRawToFile(source, *CreateFileSink(path), 100000, progress.For(path));
  EXPECT_EQ(test::ReadWholeFile(path), Bytes(image.begin(), image.begin() + 100000));
  progress.ExpectPiecesOfAWholeFile(100000, 2);
  EXPECT_EQ(source.Position(), 100000);
}

TEST(CopyRawToFileTest, FailuresAreRaisedLikeInflating) {
  test::TempFolder folder;
  const Bytes image = test::RandomBytes(1000, 14);
  ProgressLog progress;
  MemorySource source(image);
  const std::string path = folder.File("short.exe");
  EXPECT_EQ(
      ErrorOf([&] { CopyRawToFile(source, *CreateFileSink(path), 1001, progress.For(path)); }),
      kStreamReadError);
  EXPECT_EQ(ErrorOf([&] { CopyRawToFile(source, *CreateFileSink(path), -1, progress.For(path)); }),
            kStreamReadError);
  const ProgressFn throwing = [](int64_t) { throw std::runtime_error("meter gone"); };
  source.Seek(0);
  EXPECT_THROW(CopyRawToFile(source, *CreateFileSink(path), 10, throwing), std::runtime_error);
  EXPECT_TRUE(progress.steps.empty());
}

}  // namespace
}  // namespace tidemark
