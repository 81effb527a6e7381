// Reading one input file from start to end in pieces.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

namespace tidemark {

class InputFile {
 public:
  // Raises Error(CannotOpenFileMessage(...)) when the file cannot be opened.
  explicit InputFile(const std::string& path);

  // Reads up to `size` bytes; fewer only at the end of the file. Raises
  // Error on a read failure.
  size_t Read(void* buffer, size_t size);

  const std::string& path() const { return path_; }

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::string path_;
  std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace tidemark
