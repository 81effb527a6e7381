#include "container/image_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <vector>

#include "container/errors.h"

namespace tidemark {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

std::unique_ptr<ImageStorage> ReadFileStorage(const std::string& path) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
  if (!file) throw Error(CannotOpenFileMessage(path, std::strerror(errno)));
  // Read in blocks rather than trusting a size taken beforehand: the file
  // may change while it is read.
  std::vector<uint8_t> bytes;
  constexpr size_t kBlock = 1 << 20;
  for (;;) {
    const size_t held = bytes.size();
    bytes.resize(held + kBlock);
    const size_t got = std::fread(bytes.data() + held, 1, kBlock, file.get());
    bytes.resize(held + got);
    if (got < kBlock) break;
  }
  if (std::ferror(file.get())) throw Error(CannotOpenFileMessage(path, std::strerror(errno)));
  return std::make_unique<VectorStorage>(std::move(bytes));
}

}  // namespace tidemark
