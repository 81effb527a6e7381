// Writing files. The container itself only writes into a FileSink that its
// caller opened; CreateFileSink is defined once per platform, by the side
// that opens files: file_sink_posix.cpp here for the native tree, and
// system/file_sink_win32.cpp for the stub.
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
