#include "system/exe_file.h"

#include <windows.h>

#include <vector>

#include "container/errors.h"
#include "system/path.h"
#include "system/system_error.h"

namespace tidemark {

namespace {

// Longest path Windows hands out, in characters, with its terminator.
constexpr DWORD kLongestPath = 32768;

// Read in blocks until the end rather than trusting the size taken
// beforehand: other programs may write the file meanwhile.
constexpr DWORD kReadBlock = 1 << 20;

// How the file's bytes reach memory. Kept in this one place so that a
// mapping of the file can replace the copy.
std::unique_ptr<ImageStorage> LoadImageStorage(HANDLE file) {
  LARGE_INTEGER start = {};
  if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN)) throw Error(kStreamReadError);

  std::vector<uint8_t> bytes;
  LARGE_INTEGER size = {};
  if (GetFileSizeEx(file, &size) && size.QuadPart > 0) {
    bytes.reserve(static_cast<size_t>(size.QuadPart));
  }
  for (;;) {
    const size_t held = bytes.size();
    bytes.resize(held + kReadBlock);
    DWORD got = 0;
    if (!ReadFile(file, bytes.data() + held, kReadBlock, &got, nullptr)) {
      throw Error(kStreamReadError);
    }
    bytes.resize(held + got);
    if (got == 0) break;
  }
  bytes.shrink_to_fit();
  return std::make_unique<VectorStorage>(std::move(bytes));
}

}  // namespace

std::string RunningExecutablePath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size() || path.size() >= kLongestPath) return std::string(path.data(), length);
    path.resize(path.size() * 2);  // the name was cut short
  }
}

std::string RunningExecutableName() {
  const std::string path = RunningExecutablePath();
  return path.substr(AnsiFolderPart(path).size());
}

void ExeFile::Open(const std::string& path) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw Error(CannotOpenFileMessage(path, LastErrorText()));
  file_ = std::move(file);
  path_ = path;
}

std::unique_ptr<ImageStorage> ExeFile::ReadImage() {
  if (!file_) throw Error(kStreamReadError);
  return LoadImageStorage(file_.get());
}

}  // namespace tidemark
