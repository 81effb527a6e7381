// The file sink of the native tree: plain POSIX file descriptors.
#include <errno.h>
#include <fcntl.h>
#include <string.h>
#include <unistd.h>

#include "container/errors.h"
#include "container/file_sink.h"

namespace tidemark {
namespace {

class PosixFileSink : public FileSink {
 public:
  explicit PosixFileSink(int fd) : fd_(fd) {}
  ~PosixFileSink() override {
    if (fd_ >= 0) ::close(fd_);
  }
  PosixFileSink(const PosixFileSink&) = delete;
  PosixFileSink& operator=(const PosixFileSink&) = delete;

  void Write(const void* data, size_t count) override {
    const auto* bytes = static_cast<const char*>(data);
    while (count > 0) {
      const ssize_t written = ::write(fd_, bytes, count);
      if (written < 0 && errno == EINTR) continue;
      if (written <= 0) throw Error(kStreamWriteError);
      bytes += written;
      count -= static_cast<size_t>(written);
    }
  }

  void Close() override {
    const int fd = fd_;
    fd_ = -1;
    if (fd >= 0 && ::close(fd) != 0) throw Error(kStreamWriteError);
  }

 private:
  int fd_;
};

}  // namespace

std::unique_ptr<FileSink> CreateFileSink(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) throw Error(CannotCreateFileMessage(path, strerror(errno)));
  return std::make_unique<PosixFileSink>(fd);
}

}  // namespace tidemark
