#include "packer/build/input_file.h"

#include <cerrno>
#include <cstring>

#include "container/errors.h"

namespace tidemark {

InputFile::InputFile(const std::string& path) : path_(path), file_(std::fopen(path.c_str(), "rb")) {
  if (!file_) throw Error(CannotOpenFileMessage(path, std::strerror(errno)));
}

size_t InputFile::Read(void* buffer, size_t size) {
  const size_t got = std::fread(buffer, 1, size, file_.get());
  if (got < size && std::ferror(file_.get())) {
    throw Error("cannot read \"" + path_ + "\": " + std::strerror(errno));
  }
  return got;
}

}  // namespace tidemark
