// The stub's file sink over a file its caller has already opened for
// writing, for files made with rules of their own (system/protected_file.h).
#pragma once

#include <memory>

#include "container/file_sink.h"
#include "system/handles.h"

namespace tidemark {

// Takes ownership of `file`, which must be valid.
std::unique_ptr<FileSink> OpenedFileSink(UniqueHandle file);

}  // namespace tidemark
