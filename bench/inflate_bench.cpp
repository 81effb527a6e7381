// Throughput of item decoding: the installer's streamed InflateItemToFile
// against a plain zlib loop writing the same files, and against plain zlib
// inflating into memory. Usage: inflate_bench [total MiB, default 256]
#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "container/byte_stream.h"
#include "container/items.h"
#include "container/layout.h"

namespace {

using Bytes = std::vector<uint8_t>;
constexpr size_t kFileSize = 4u << 20;
constexpr size_t kOutputBlock = 128 * 1024;

struct Stream {
  size_t offset;  // in the container buffer
  size_t length;
  size_t content_size;
};

uint32_t Next(uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

// Alternating runs of text-like and random bytes, so that every file mixes
// well- and poorly-compressible data.
Bytes MixedContent(size_t size, uint32_t seed) {
  static const char* const kWords[] = {"installer ", "folder ", "shortcut ",      "registry ",
                                       "product ",   "\r\n",    "version 1.2.3 ", "Marrowlight "};
  uint32_t state = seed | 1;
  Bytes out;
  out.reserve(size);
  while (out.size() < size) {
    const size_t run = std::min<size_t>(size - out.size(), 16384 + Next(state) % 65536);
    const bool random = Next(state) % 3 == 0;
    for (size_t end = out.size() + run; out.size() < end;) {
      if (random) {
        out.push_back(static_cast<uint8_t>(Next(state) >> 24));
      } else {
        for (const char* w = kWords[Next(state) % 8]; *w && out.size() < end; ++w)
          out.push_back(*w);
      }
    }
  }
  return out;
}

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void WriteAll(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n <= 0) {
      std::perror("write");
      std::exit(1);
    }
    data += n;
    size -= static_cast<size_t>(n);
  }
}

// The plain loop: 64 KiB input chunks, 128 KiB output blocks, as the item
// code uses them.
void PlainInflateToFile(const Bytes& container, const Stream& s, const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) {
    std::perror("open");
    std::exit(1);
  }
  z_stream z{};
  inflateInit(&z);
  static uint8_t input[tidemark::kInflateChunk];
  static uint8_t output[kOutputBlock];
  size_t consumed = 0;
  int result = Z_OK;
  while (result != Z_STREAM_END) {
    if (z.avail_in == 0) {
      const size_t n = std::min(tidemark::kInflateChunk, container.size() - s.offset - consumed);
      std::memcpy(input, container.data() + s.offset + consumed, n);
      consumed += n;
      z.next_in = input;
      z.avail_in = static_cast<uInt>(n);
    }
    z.next_out = output;
    z.avail_out = kOutputBlock;
    result = inflate(&z, Z_NO_FLUSH);
    if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) {
      std::fprintf(stderr, "inflate failed\n");
      std::exit(1);
    }
    WriteAll(fd, output, kOutputBlock - z.avail_out);
  }
  inflateEnd(&z);
  ::close(fd);
}

void PlainInflateToMemory(const Bytes& container, const Stream& s, Bytes& target) {
  uLongf length = static_cast<uLongf>(target.size());
  if (uncompress(target.data(), &length, container.data() + s.offset, s.length) != Z_OK ||
      length != s.content_size) {
    std::fprintf(stderr, "uncompress failed\n");
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const size_t total_mib = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 256;
  const size_t file_count = std::max<size_t>(1, (total_mib << 20) / kFileSize);
  const double mib = static_cast<double>(file_count * kFileSize) / (1 << 20);

  std::printf("preparing %zu files of %zu MiB (%.0f MiB)...\n", file_count, kFileSize >> 20, mib);
  Bytes container;
  std::vector<Stream> streams;
  for (size_t i = 0; i < file_count; ++i) {
    const Bytes content = MixedContent(kFileSize, static_cast<uint32_t>(i + 1));
    uLongf length = compressBound(static_cast<uLong>(content.size()));
    const size_t offset = container.size();
    container.resize(offset + length);
    compress2(container.data() + offset, &length, content.data(), content.size(), 6);
    container.resize(offset + length);
    streams.push_back({offset, length, content.size()});
  }
  std::printf("compressed to %.1f MiB\n", static_cast<double>(container.size()) / (1 << 20));

  std::string pattern = (std::filesystem::temp_directory_path() / "inflate-bench-XXXXXX").string();
  if (!mkdtemp(pattern.data())) {
    std::perror("mkdtemp");
    return 1;
  }
  const std::filesystem::path folder = pattern;
  const auto file_name = [&](size_t i) { return (folder / ("f" + std::to_string(i))).string(); };

  const auto items = [&] {
    tidemark::MemorySource source(container.data(), container.size());
    for (size_t i = 0; i < streams.size(); ++i) {
      tidemark::InflateItemToFile(source, *tidemark::CreateFileSink(file_name(i)),
                                  static_cast<int32_t>(streams[i].content_size), nullptr);
    }
  };
  const auto plain_files = [&] {
    for (size_t i = 0; i < streams.size(); ++i)
      PlainInflateToFile(container, streams[i], file_name(i));
  };
  Bytes memory(kFileSize);
  const auto plain_memory = [&] {
    for (const Stream& s : streams) PlainInflateToMemory(container, s, memory);
  };

  // Alternate the runs and keep each one's best, to damp the noise of a
  // shared machine.
  double best_items = 1e9, best_plain_files = 1e9, best_memory = 1e9;
  for (int round = 0; round < 3; ++round) {
    best_items = std::min(best_items, Seconds(items));
    best_plain_files = std::min(best_plain_files, Seconds(plain_files));
    best_memory = std::min(best_memory, Seconds(plain_memory));
  }
  std::filesystem::remove_all(folder);

  std::printf("InflateItemToFile to files:  %8.1f MiB/s\n", mib / best_items);
  std::printf("plain zlib loop to files:    %8.1f MiB/s\n", mib / best_plain_files);
  std::printf("plain zlib into memory:      %8.1f MiB/s\n", mib / best_memory);
  std::printf("items / plain loop ratio:    %8.3f (target at least 0.9)\n",
              best_plain_files / best_items);
  return 0;
}
