#include "codecs/non_final_deflate.h"

#include <zlib.h>

#include <cstring>

#include "container/errors.h"

namespace tidemark {
namespace {

constexpr int kRawDeflateWindowBits = -15;

// inflate()'s data_type after a return: the unused bits of the last byte
// taken, and whether it stopped at a block boundary.
constexpr int kUnusedBitsMask = 7;
constexpr int kAtBlockBoundary = 128;
constexpr int kInLastBlock = 64;

// The bytes after an end-of-block code that a sync flush writes once the
// empty stored block's three header bits and padding are in place.
constexpr uint8_t kEmptyStoredLengths[] = {0x00, 0x00, 0xFF, 0xFF};

// Frees the inflate state on every path out.
class Inflater {
 public:
  Inflater() {
    if (inflateInit2(&stream_, kRawDeflateWindowBits) != Z_OK) {
      throw Error("zlib cannot start inflating (out of memory?)");
    }
  }
  ~Inflater() { inflateEnd(&stream_); }
  Inflater(const Inflater&) = delete;
  Inflater& operator=(const Inflater&) = delete;
  z_stream& stream() { return stream_; }

 private:
  z_stream stream_{};
};

struct BlockBounds {
  size_t last_header_bit = 0;  // where the final block's header starts
  size_t end_bit = 0;          // just after its end-of-block code
  size_t inflated_size = 0;
};

// Inflates block by block into `out`, which holds exactly the expected size
// plus one byte (so that a longer piece shows).
BlockBounds InflateByBlocks(const std::vector<uint8_t>& deflated, std::vector<uint8_t>& out) {
  Inflater inflater;
  z_stream& stream = inflater.stream();
  stream.next_in = const_cast<Bytef*>(deflated.data());
  stream.avail_in = static_cast<uInt>(deflated.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  BlockBounds bounds;
  for (;;) {
    const int result = inflate(&stream, Z_BLOCK);
    const size_t bit =
        static_cast<size_t>(stream.total_in) * 8 - (stream.data_type & kUnusedBitsMask);
    if (result == Z_STREAM_END) {
      bounds.inflated_size = static_cast<size_t>(stream.total_out);
      return bounds;
    }
    if (result != Z_OK) throw Error("a compressed block does not inflate");
    // inflate() stops after every end-of-block code, the last one too,
    // before it skips the padding to the stream's end.
    if (stream.data_type & kAtBlockBoundary) {
      (stream.data_type & kInLastBlock ? bounds.end_bit : bounds.last_header_bit) = bit;
    }
  }
}

}  // namespace

void MakeNonFinal(std::vector<uint8_t>& deflated, const uint8_t* content, size_t size) {
  std::vector<uint8_t> inflated(size + 1);
  const BlockBounds bounds = InflateByBlocks(deflated, inflated);
  if (bounds.inflated_size != size || std::memcmp(inflated.data(), content, size) != 0) {
    throw Error("a compressed block does not inflate to its content");
  }
  // Nothing of the piece stays after its end-of-block code; the bits after
  // it in its last byte become the stored block's header (BFINAL 0, BTYPE
  // 00, all zero) and padding, with one more zero byte when fewer than
  // three bits are left.
  deflated[bounds.last_header_bit / 8] &=
      static_cast<uint8_t>(~(1u << (bounds.last_header_bit % 8)));
  const size_t used_bits = bounds.end_bit % 8;
  deflated.resize((bounds.end_bit + 7) / 8);
  if (used_bits != 0) deflated.back() &= static_cast<uint8_t>((1u << used_bits) - 1);
  if (used_bits == 0 || used_bits > 5) deflated.push_back(0);
  deflated.insert(deflated.end(), std::begin(kEmptyStoredLengths), std::end(kEmptyStoredLengths));
}

}  // namespace tidemark
