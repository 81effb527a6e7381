// Writing files. The implementation is chosen by platform at link time: a
// POSIX one for the native tree, a Win32 one (in system/) for the stub.
#pragma once

#include <memory>
#include <string>

#include "container/byte_stream.h"

namespace tidemark {

class FileSink : public ByteSink {
 public:
  // Flushes and closes; raises an Error when the data cannot be written.
  virtual void Close() = 0;
};

// Creates the file anew (an existing file is replaced), unshared while open.
// Raises Error(CannotCreateFileMessage(path, system reason)).
std::unique_ptr<FileSink> CreateFileSink(const std::string& path);

}  // namespace tidemark
