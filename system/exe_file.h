// The running executable on disk: its path, and the file itself held open
// for reading while the installer runs.
#pragma once

#include <memory>
#include <string>

#include "container/buffered_source.h"
#include "container/exe_image.h"
#include "system/handles.h"

namespace tidemark {

// Full path of the running executable.
std::string RunningExecutablePath();

// The running executable's file name, without its folder.
std::string RunningExecutableName();

class ExeFile : public RandomAccessInput {
 public:
  ExeFile() = default;

  // Opens `path` for reading; other programs may read and write it while it
  // is open. Raises Error(CannotOpenFileMessage(path, system reason)).
  void Open(const std::string& path);
  bool is_open() const { return file_.valid(); }
  const std::string& path() const { return path_; }

  // The whole file as it is stored on disk, from its first byte, as a
  // read-only mapping; each call maps the file afresh. Raises
  // Error("Stream read error") when it cannot be mapped.
  std::unique_ptr<ImageStorage> ReadImage();

  // Ordinary reads of the file as it is now (RandomAccessInput): a file cut
  // short reads as ending there, and a read that fails, for instance on a
  // drive that has gone away, raises Error with the system's reason.
  // Raises Error("Stream read error") when the file is not open.
  int64_t Size() const override;
  size_t ReadAt(int64_t offset, void* buffer, size_t count) override;

  // Releases the file; a failure to close is of no interest.
  void Close() { file_.Reset(); }

 private:
  UniqueHandle file_;
  std::string path_;
};

}  // namespace tidemark
