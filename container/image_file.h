// Reading a whole file into an ImageStorage, for tools and tests that load an
// installer from disk.
#pragma once

#include <memory>
#include <string>

#include "container/exe_image.h"

namespace tidemark {

// Raises Error(CannotOpenFileMessage(path, system reason)) when the file
// cannot be opened or read.
std::unique_ptr<ImageStorage> ReadFileStorage(const std::string& path);

}  // namespace tidemark
