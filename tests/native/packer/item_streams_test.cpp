// Every item stream the packer writes is a zlib stream that plain zlib
// inflates to the item's file, at zlib's levels and libdeflate's, for
// items of no, one and many blocks; zlib's levels write what they always did.
#include <gtest/gtest.h>
#include <zlib.h>

#include <optional>
#include <string>

#include "codecs/near_optimal_deflate.h"
#include "container/byte_stream.h"
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
