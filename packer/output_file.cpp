#include "packer/output_file.h"

#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "container/errors.h"

namespace fs = std::filesystem;

namespace tidemark {
namespace {

// The temporary file being written, for the signal handler (one at a time).
char g_temporary[PATH_MAX];
volatile sig_atomic_t g_temporary_set = 0;

void RemoveTemporaryAndEnd(int signal_number) {
  if (g_temporary_set) unlink(g_temporary);
  ::signal(signal_number, SIG_DFL);
  ::raise(signal_number);
}

void NoteTemporary(const std::string& path) {
  g_temporary_set = 0;
  if (path.size() >= sizeof g_temporary) return;
  std::memcpy(g_temporary, path.c_str(), path.size() + 1);
  g_temporary_set = 1;
}

std::string KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISLNK(mode)) return "a symbolic link";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISFIFO(mode)) return "a pipe";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

bool SameFile(const struct stat& a, const std::string& path) {
  struct stat b;
  return ::stat(path.c_str(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool Inside(const std::string& path, const std::string& folder) {
  std::error_code error;
  const fs::path inner = fs::weakly_canonical(path, error);
  const fs::path outer = fs::weakly_canonical(folder, error);
  if (error) return false;
  const auto [outer_end, inner_at] = std::mismatch(outer.begin(), outer.end(), inner.begin(), inner.end());
  return outer_end == outer.end();
}

mode_t CreationMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

void CheckOutputPath(const std::string& output, const std::vector<std::string>& inputs,
                     const std::string& input_folder) {
  if (output.empty()) throw Error("the output path is empty");
  struct stat status;
  if (::lstat(output.c_str(), &status) == 0) {
    if (!S_ISREG(status.st_mode)) {
      throw Error("output \"" + output + "\" is " + KindOf(status.st_mode) +
                  "; the packer writes only over a regular file or a new name");
    }
    for (const std::string& input : inputs) {
      if (SameFile(status, input)) {
        throw Error("output \"" + output + "\" is the input \"" + input + "\"; choose another output");
      }
    }
  }
  if (!input_folder.empty() && Inside(output, input_folder)) {
    throw Error("output \"" + output + "\" lies in the files folder \"" + input_folder +
                "\"; the next build would pack it");
  }
}

OutputFile::OutputFile(std::string destination) : destination_(std::move(destination)) {
  std::string pattern = destination_ + ".XXXXXX.partial";
  const int fd = ::mkstemps(pattern.data(), static_cast<int>(std::strlen(".partial")));
  if (fd < 0) {
    throw Error("cannot create \"" + destination_ + "\" (through a file beside it): " + std::strerror(errno));
  }
  temporary_ = pattern;
  NoteTemporary(temporary_);
  ::fchmod(fd, CreationMode());
  ::close(fd);
  sink_ = CreateFileSink(temporary_);
}

OutputFile::~OutputFile() {
  sink_.reset();
  if (!committed_) ::unlink(temporary_.c_str());
  g_temporary_set = 0;
}

void OutputFile::Commit() {
  try {
    sink_->Close();
  } catch (const Error&) {
    throw Error(WriteFailure());
  }
  if (::rename(temporary_.c_str(), destination_.c_str()) != 0) {
    throw Error("cannot move the finished file to \"" + destination_ + "\": " + std::strerror(errno));
  }
  committed_ = true;
}

std::string OutputFile::WriteFailure() const {
  return "cannot write \"" + destination_ + "\" (through \"" + temporary_ + "\"): " + std::strerror(errno);
}

void RemoveTemporaryFilesOnSignals() {
  for (int signal_number : {SIGINT, SIGTERM, SIGHUP}) ::signal(signal_number, RemoveTemporaryAndEnd);
}

}  // namespace tidemark
