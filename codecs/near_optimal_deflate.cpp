#include "codecs/near_optimal_deflate.h"

#include <libdeflate.h>

#include <memory>
#include <string>

#include "container/errors.h"

namespace tidemark {

const int kHighestLevel = 12;
const int kDefaultLevel = kLowestNearOptimalLevel;

namespace {

struct CompressorFree {
  void operator()(libdeflate_compressor* compressor) const {
    libdeflate_free_compressor(compressor);
  }
};
using Compressor = std::unique_ptr<libdeflate_compressor, CompressorFree>;

// A compressor holds several MiB of match-finding tables; each thread keeps
// one for the level it last used instead of making one per block.
libdeflate_compressor& CompressorFor(int level) {
  thread_local Compressor compressor;
  thread_local int compressor_level = -1;
  if (!compressor || compressor_level != level) {
    compressor.reset(libdeflate_alloc_compressor(level));
    compressor_level = level;
    if (!compressor) throw Error("libdeflate cannot start compressing (out of memory?)");
  }
  return *compressor;
}

}  // namespace

std::vector<uint8_t> NearOptimalDeflate(const uint8_t* data, size_t size, int level) {
  if (level < kLowestNearOptimalLevel || level > kHighestLevel) {
    throw Error("libdeflate has no level " + std::to_string(level));
  }
  libdeflate_compressor& compressor = CompressorFor(level);
  std::vector<uint8_t> output(libdeflate_deflate_compress_bound(&compressor, size));
  const size_t produced =
      libdeflate_deflate_compress(&compressor, data, size, output.data(), output.size());
  if (produced == 0) throw Error("libdeflate failed while compressing");
  output.resize(produced);
  return output;
}

}  // namespace tidemark
