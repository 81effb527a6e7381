// Every item stream the packer writes is a zlib stream that plain zlib
// inflates to the item's file, at zlib's levels and libdeflate's, for
// items of no, one and many blocks; zlib's levels write what they always did.
#include <gtest/gtest.h>
#include <zlib.h>

#include <optional>
#include <string>

#include "codecs/near_optimal_deflate.h"
#include "codecs/non_final_deflate.h"
#include "container/byte_stream.h"
#include "container/errors.h"
#include "packer/build/installer_writer.h"
#include "packer/build/item_blocks.h"
#include "packer/build/sha256.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

// The item's stream as the packer writes it, blocks compressed in order.
Bytes StreamOf(const std::string& path, int level) {
  ItemBlockReader reader({{path, static_cast<int64_t>(ReadWholeFile(path).size()), true}},
                         BlockShapeFor(level));
  MemorySink sink;
  InstallerWriter writer(sink, false);
  ItemAssembler assembler(writer, level);
  while (std::unique_ptr<ItemBlock> block = reader.Next()) {
    block->Compress(level);
    assembler.Add(*block);
  }
  return sink.bytes();
}

// zlib's own one-call inflate of a whole zlib stream; nullopt when it fails
// or the stream holds more than `size` bytes.
std::optional<Bytes> ZlibInflate(const Bytes& stream, size_t size) {
  Bytes out(size + 1);
  uLongf length = static_cast<uLongf>(out.size());
  if (uncompress(out.data(), &length, stream.data(), static_cast<uLong>(stream.size())) != Z_OK) {
    return std::nullopt;
  }
  out.resize(length);
  return out;
}

TEST(ItemStreamsTest, ZlibInflatesEveryStreamToItsFile) {
  TempFolder folder;
  const size_t chunk = kNearOptimalChunkSize;
  const struct {
    const char* name;
    Bytes content;
  } inputs[] = {
      {"empty", {}},
      {"tiny", ToBytes("x")},
      {"random", RandomBytes(100000, 1)},
      // Chunks that end in a stored block and in a compressed one.
      {"many-chunks", Concat({RandomBytes(chunk, 2), TextLikeBytes(chunk + 4321, 3)})},
  };
  std::vector<int> levels = {0, 9};
  for (int level = kLowestNearOptimalLevel; level <= kHighestLevel; ++level) {
    levels.push_back(level);
  }
  for (const auto& input : inputs) {
    const std::string path = folder.File(input.name);
    WriteFile(path, input.content);
    for (int level : levels) {
      SCOPED_TRACE(std::string(input.name) + " at level " + std::to_string(level));
      const Bytes stream = StreamOf(path, level);
      EXPECT_EQ(ZlibInflate(stream, input.content.size()), input.content);
    }
  }
}

// A piece made joinable and one after it inflate as one raw deflate
// stream, wherever in its last byte the piece's end-of-block code ends
// (these 64 piece sizes end it at each of the eight bits).
TEST(ItemStreamsTest, JoinedPiecesInflateWhereverTheirLastByteEnds) {
  const Bytes second = TextLikeBytes(50, 7);
  for (size_t size = 1; size <= 64 * 32; size += 32) {
    const Bytes first = TextLikeBytes(size, static_cast<uint32_t>(size));
    Bytes joined = NearOptimalDeflate(first.data(), first.size(), kLowestNearOptimalLevel);
    MakeNonFinal(joined, first.data(), first.size());
    const Bytes last = NearOptimalDeflate(second.data(), second.size(), kLowestNearOptimalLevel);
    joined.insert(joined.end(), last.begin(), last.end());
    Bytes out(first.size() + second.size() + 1);
    z_stream stream{};
    ASSERT_EQ(inflateInit2(&stream, -15), Z_OK);
    stream.next_in = joined.data();
    stream.avail_in = static_cast<uInt>(joined.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(inflate(&stream, Z_FINISH), Z_STREAM_END) << size;
    out.resize(stream.total_out);
    inflateEnd(&stream);
    EXPECT_EQ(out, Concat({first, second})) << size;
  }
  // A piece that gives other bytes than its content is refused.
  Bytes piece = NearOptimalDeflate(second.data(), second.size(), kLowestNearOptimalLevel);
  const Bytes other = TextLikeBytes(50, 8);
  EXPECT_THROW(MakeNonFinal(piece, other.data(), other.size()), Error);
}

TEST(ItemStreamsTest, ZlibLevelsWriteTheirFormerBytes) {
  TempFolder folder;
  const std::string path = folder.File("item");
  WriteFile(path, Concat({TextLikeBytes(300000, 5), RandomBytes(100000, 6)}));
  const struct {
    int level;
    const char* sha256;
  } expected[] = {
      {0, "B80BD96051FE494C77135F1AEEB9188BAC42674786FB08318569674E12D10EBE"},
      {9, "637225AF4446AE41272EBC96EFF1E38851979AAB9C4C7735EFF6B3AF99842709"},
  };
  for (const auto& [level, sha256] : expected) {
    const Bytes stream = StreamOf(path, level);
    EXPECT_EQ(Sha256Hex(stream.data(), stream.size()), sha256) << level;
  }
}

}  // namespace
}  // namespace tidemark::test
