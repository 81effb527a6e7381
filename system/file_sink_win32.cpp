// The file sink of the stub: a Win32 file written through a large buffer, so
// that the decompressor, not a WriteFile call per piece, sets the pace.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "container/errors.h"
#include "container/file_sink.h"
#include "system/handles.h"
#include "system/opened_file_sink.h"
#include "system/system_error.h"

namespace tidemark {
namespace {

constexpr size_t kWriteBuffer = 1 << 20;
// A piece at least this large is written as it comes when nothing is
// buffered: copying it would gain nothing.
constexpr size_t kDirectPiece = 64 * 1024;

// The buffer grows only as far as the pieces need it, so that a small file
// costs no large allocation.
class Win32FileSink : public FileSink {
 public:
  explicit Win32FileSink(UniqueHandle file) : file_(std::move(file)) {}

  // Whatever was written so far reaches the file; failures are of no
  // interest here, since the caller is already leaving on another path.
  ~Win32FileSink() override {
    try {
      Flush();
    } catch (const Error&) {
      // Reported by nobody: the caller is already leaving through an error.
    }
  }

  Win32FileSink(const Win32FileSink&) = delete;
  Win32FileSink& operator=(const Win32FileSink&) = delete;

  void Write(const void* data, size_t count) override {
    if (!file_) throw Error(kStreamWriteError);
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (count > 0) {
      if (buffer_.empty() && count >= kDirectPiece) {
        WriteThrough(bytes, count);
        return;
      }
      const size_t piece = std::min(count, kWriteBuffer - buffer_.size());
      buffer_.insert(buffer_.end(), bytes, bytes + piece);
      bytes += piece;
      count -= piece;
      if (buffer_.size() == kWriteBuffer) Flush();
    }
  }

  void Close() override {
    if (!file_) return;
    Flush();
    if (!CloseHandle(file_.Release())) throw Error(kStreamWriteError);
  }

 private:
  void Flush() {
    if (buffer_.empty() || !file_) return;
    // Emptied even when the write fails, so nothing is written twice.
    struct Clearer {
      std::vector<uint8_t>& buffer;
      ~Clearer() { buffer.clear(); }
    } clearer{buffer_};
    WriteThrough(buffer_.data(), buffer_.size());
  }

  void WriteThrough(const uint8_t* bytes, size_t count) {
    while (count > 0) {
      const DWORD piece = static_cast<DWORD>(std::min<size_t>(count, kWriteBuffer));
      DWORD written = 0;
      if (!WriteFile(file_.get(), bytes, piece, &written, nullptr) || written == 0) {
        throw Error(kStreamWriteError);
      }
      bytes += written;
      count -= written;
    }
  }

  UniqueHandle file_;
  std::vector<uint8_t> buffer_;
};

}  // namespace

std::unique_ptr<FileSink> CreateFileSink(const std::string& path) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file) throw Error(CannotCreateFileMessage(path, LastErrorText()));
  return OpenedFileSink(std::move(file));
}

std::unique_ptr<FileSink> OpenedFileSink(UniqueHandle file) {
  return std::make_unique<Win32FileSink>(std::move(file));
}

}  // namespace tidemark
