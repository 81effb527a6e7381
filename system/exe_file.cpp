#include "system/exe_file.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "container/errors.h"
#include "system/path.h"
#include "system/system_error.h"

namespace tidemark {

namespace {

// Longest path Windows hands out, in characters, with its terminator.
constexpr DWORD kLongestPath = 32768;

// A view of the mapping; unmapping gives the address range back.
using MappedView = UniqueResource<NullInvalidTraits<void*, &UnmapViewOfFile>>;

// Reads up to `count` bytes at `offset` with one ordinary read; 0 at or
// past the end. Raises Error with the system's reason when the read fails.
size_t ReadFileAt(HANDLE file, int64_t offset, void* buffer, size_t count) {
  // The offset goes with each read, so that no file position is shared.
  OVERLAPPED at = {};
  at.Offset = static_cast<DWORD>(static_cast<uint64_t>(offset));
  at.OffsetHigh = static_cast<DWORD>(static_cast<uint64_t>(offset) >> 32);
  DWORD got = 0;
  const DWORD wanted = static_cast<DWORD>(std::min<size_t>(count, 1u << 30));
  if (!ReadFile(file, buffer, wanted, &got, &at)) {
    if (GetLastError() == ERROR_HANDLE_EOF) return 0;
    const std::string reason = LastErrorText();
    throw Error(reason.empty() ? kStreamReadError : reason);
  }
  return got;
}

// The file's bytes as a read-only mapping: pages are read from disk only when
// touched and belong to the file, not to the process's private memory.
// Start-up thus costs the same for any payload size. Copies are made with
// ordinary reads of the file: a pass over a large part of it (the checksum
// of a scrambled container) runs several times faster than through the
// pages of the mapping, and leaves them out of the working set.
class MappedFileStorage : public ImageStorage {
 public:
  MappedFileStorage(UniqueHandle file, UniqueHandle mapping, MappedView view, size_t size)
      : file_(std::move(file)), mapping_(std::move(mapping)), view_(std::move(view)), size_(size) {}
  const uint8_t* data() const override { return static_cast<const uint8_t*>(view_.get()); }
  size_t size() const override { return size_; }
  void Copy(size_t offset, uint8_t* buffer, size_t count) const override {
    while (count > 0) {
      const size_t got = ReadFileAt(file_.get(), static_cast<int64_t>(offset), buffer, count);
      if (got == 0) throw Error(kStreamReadError);  // cut short since it was mapped
      offset += got, buffer += got, count -= got;
    }
  }

 private:
  UniqueHandle file_;
  UniqueHandle mapping_;
  MappedView view_;
  size_t size_;
};

// Maps the whole file as it is now. Windows refuses to map an empty file, so
// that one is held as empty bytes; the marker search then finds nothing.
std::unique_ptr<ImageStorage> LoadImageStorage(HANDLE file) {
  LARGE_INTEGER size = {};
  if (!GetFileSizeEx(file, &size)) throw Error(kStreamReadError);
  if (size.QuadPart == 0) return std::make_unique<VectorStorage>(std::vector<uint8_t>());
  if (static_cast<uint64_t>(size.QuadPart) > SIZE_MAX) throw Error(kStreamReadError);

  UniqueHandle mapping(CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, 0, nullptr));
  if (!mapping) throw Error(kStreamReadError);
  MappedView view(MapViewOfFile(mapping.get(), FILE_MAP_READ, 0, 0, 0));
  if (!view) throw Error(kStreamReadError);
  // Others may change the file's length between the size taken above and
  // the mapping; never claim bytes past the view (the tail of its last page
  // reads as zeros, anything further would fault).
  MEMORY_BASIC_INFORMATION region = {};
  if (VirtualQuery(view.get(), &region, sizeof region) == 0) throw Error(kStreamReadError);
  const size_t mapped = std::min(static_cast<size_t>(size.QuadPart), region.RegionSize);
  // A handle of its own, so that the storage may outlive the ExeFile's.
  HANDLE own = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), file, GetCurrentProcess(), &own, 0, FALSE,
                       DUPLICATE_SAME_ACCESS)) {
    throw Error(kStreamReadError);
  }
  return std::make_unique<MappedFileStorage>(UniqueHandle(own), std::move(mapping),
                                             std::move(view), mapped);
}

}  // namespace

std::string RunningExecutablePath() {
  std::vector<char> path(MAX_PATH);
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size() || path.size() >= kLongestPath)
      return std::string(path.data(), length);
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

int64_t ExeFile::Size() const {
  LARGE_INTEGER size = {};
  if (!file_ || !GetFileSizeEx(file_.get(), &size)) throw Error(kStreamReadError);
  return size.QuadPart;
}

size_t ExeFile::ReadAt(int64_t offset, void* buffer, size_t count) {
  if (!file_) throw Error(kStreamReadError);
  return ReadFileAt(file_.get(), offset, buffer, count);
}

}  // namespace tidemark
