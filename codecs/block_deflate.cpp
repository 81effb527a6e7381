#include "codecs/block_deflate.h"

#include <zlib.h>

#include <string>

#include "container/errors.h"

namespace tidemark {
namespace {

constexpr int kRawDeflateWindowBits = -15;
constexpr int kMemoryLevel = 8;

// Frees the deflate state on every path out.
class Deflater {
 public:
  explicit Deflater(int level) {
    if (deflateInit2(&stream_, level, Z_DEFLATED, kRawDeflateWindowBits, kMemoryLevel,
                     Z_DEFAULT_STRATEGY) != Z_OK) {
      throw Error("zlib cannot start compressing (out of memory?)");
    }
  }
  ~Deflater() { deflateEnd(&stream_); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;
  z_stream& stream() { return stream_; }

 private:
  z_stream stream_{};
};

}  // namespace

std::vector<uint8_t> ZlibHeader(int level) {
  // Compression-level hint as zlib itself writes it.
  const unsigned level_flags = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
  unsigned header = (Z_DEFLATED + (7u << 4)) << 8 | level_flags << 6;
  header += 31 - header % 31;
  return {static_cast<uint8_t>(header >> 8), static_cast<uint8_t>(header & 0xFF)};
}

std::vector<uint8_t> ZlibTrailer(uint32_t adler) {
  return {static_cast<uint8_t>(adler >> 24), static_cast<uint8_t>(adler >> 16),
          static_cast<uint8_t>(adler >> 8), static_cast<uint8_t>(adler)};
}

std::vector<uint8_t> DeflateBlock(const DeflateBlockInput& input, int level) {
  Deflater deflater(level);
  z_stream& stream = deflater.stream();
  if (input.dictionary_size > 0 &&
      deflateSetDictionary(&stream, input.dictionary, static_cast<uInt>(input.dictionary_size)) !=
          Z_OK) {
    throw Error("zlib refused the block's dictionary");
  }
  std::vector<uint8_t> output(deflateBound(&stream, static_cast<uLong>(input.size)) + 16);
  stream.next_in = const_cast<Bytef*>(input.data);
  stream.avail_in = static_cast<uInt>(input.size);
  const int flush = input.last ? Z_FINISH : Z_SYNC_FLUSH;
  size_t produced = 0;
  for (;;) {
    stream.next_out = output.data() + produced;
    stream.avail_out = static_cast<uInt>(output.size() - produced);
    const int result = deflate(&stream, flush);
    produced = output.size() - stream.avail_out;
    if (result == Z_STREAM_ERROR) throw Error("zlib failed while compressing");
    const bool finished =
        input.last ? result == Z_STREAM_END : stream.avail_in == 0 && stream.avail_out > 0;
    if (finished) break;
    if (stream.avail_out == 0) output.resize(output.size() * 2);
  }
  output.resize(produced);
  return output;
}

std::vector<uint8_t> ZlibStreamOf(const uint8_t* data, size_t size, int level) {
  DeflateBlockInput block;
  block.data = data;
  block.size = size;
  block.last = true;
  std::vector<uint8_t> stream = ZlibHeader(level);
  const std::vector<uint8_t> deflated = DeflateBlock(block, level);
  stream.insert(stream.end(), deflated.begin(), deflated.end());
  const std::vector<uint8_t> trailer = ZlibTrailer(Adler32Of(data, size));
  stream.insert(stream.end(), trailer.begin(), trailer.end());
  return stream;
}

uint32_t Adler32Of(const uint8_t* data, size_t size, uint32_t start) {
  uLong sum = start;
  while (size > 0) {
    const uInt piece = size > 0x40000000 ? 0x40000000 : static_cast<uInt>(size);
    sum = adler32(sum, data, piece);
    data += piece;
    size -= piece;
  }
  return static_cast<uint32_t>(sum);
}

uint32_t Adler32Join(uint32_t first, uint32_t second, size_t second_length) {
  // Blocks are short, so the length always fits z_off_t (32 bits on Windows).
  return static_cast<uint32_t>(adler32_combine(first, second, static_cast<z_off_t>(second_length)));
}

}  // namespace tidemark
