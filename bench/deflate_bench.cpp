// What the packer's compressors cost on real files: stored size and CPU time
// of zlib at level 9 in the packer's 128 KiB primed blocks against
// libdeflate at levels 10 to 12, on whole files and in chunks of 1, 2 and 4
// MiB, and the time that making chunks joinable takes (an inflate of each).
// Usage: deflate_bench FILE...
#include <time.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "codecs/block_deflate.h"
#include "codecs/near_optimal_deflate.h"
#include "codecs/non_final_deflate.h"

namespace {

using Bytes = std::vector<uint8_t>;
using namespace tidemark;

double CpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct Figures {
  size_t stored = 0;
  double compress_seconds = 0;
  double join_seconds = 0;
};

void ZlibBlocks(const Bytes& data, Figures& figures) {
  const double start = CpuSeconds();
  for (size_t at = 0; at < data.size() || at == 0; at += kDeflateBlockSize) {
    DeflateBlockInput block;
    const size_t dictionary = at < kDeflateDictionarySize ? at : kDeflateDictionarySize;
    block.dictionary = data.data() + at - dictionary;
    block.dictionary_size = dictionary;
    block.data = data.data() + at;
    block.size = std::min(kDeflateBlockSize, data.size() - at);
    block.last = at + block.size == data.size();
    figures.stored += DeflateBlock(block, 9).size();
    if (block.last) break;
  }
  figures.compress_seconds += CpuSeconds() - start;
}

void Chunks(const Bytes& data, int level, size_t chunk, Figures& figures) {
  for (size_t at = 0; at < data.size() || at == 0; at += chunk) {
    const size_t size = std::min(chunk, data.size() - at);
    const double start = CpuSeconds();
    Bytes deflated = NearOptimalDeflate(data.data() + at, size, level);
    const double compressed = CpuSeconds();
    const bool last = at + size == data.size();
    if (!last) MakeNonFinal(deflated, data.data() + at, size);
    figures.join_seconds += CpuSeconds() - compressed;
    figures.compress_seconds += compressed - start;
    figures.stored += deflated.size();
    if (last) break;
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<Bytes> files;
  size_t total = 0;
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    total += files.back().size();
  }
  std::printf("%zu files, %zu bytes\n", files.size(), total);
  std::printf("%-24s %12s %8s %10s %9s\n", "compressor", "stored", "ratio", "cpu s", "join s");
  auto print = [&](const std::string& name, const Figures& figures) {
    std::printf("%-24s %12zu %8.4f %10.2f %9.3f\n", name.c_str(), figures.stored,
                static_cast<double>(figures.stored) / static_cast<double>(total),
                figures.compress_seconds, figures.join_seconds);
    std::fflush(stdout);
  };
  Figures zlib;
  for (const Bytes& file : files) ZlibBlocks(file, zlib);
  print("zlib 9, 128 KiB blocks", zlib);
  for (int level = kLowestNearOptimalLevel; level <= kHighestLevel; ++level) {
    for (size_t chunk : {size_t(0), size_t(1) << 20, size_t(2) << 20, size_t(4) << 20}) {
      Figures figures;
      for (const Bytes& file : files) Chunks(file, level, chunk ? chunk : file.size() + 1, figures);
      print("libdeflate " + std::to_string(level) + ", " +
                (chunk ? std::to_string(chunk >> 20) + " MiB" : std::string("whole")),
            figures);
    }
  }
}
