#include "app/steps/whole_file.h"

#include <windows.h>

#include <memory>

#include "container/errors.h"
#include "container/file_sink.h"
#include "system/handles.h"
#include "system/protected_file.h"
#include "system/system_error.h"

namespace tidemark {
namespace {

constexpr DWORD kReadBlock = 64 * 1024;

void WriteAndClose(FileSink& file, const std::string& bytes) {
  file.Write(bytes.data(), bytes.size());
  file.Close();
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw Error(CannotOpenFileMessage(path, LastErrorText()));
  std::string bytes;
  for (;;) {
    const size_t held = bytes.size();
    bytes.resize(held + kReadBlock);
    DWORD got = 0;
    if (!ReadFile(file.get(), &bytes[held], kReadBlock, &got, nullptr)) {
      throw Error(CannotOpenFileMessage(path, LastErrorText()));
    }
    bytes.resize(held + got);
    if (got == 0) return bytes;
  }
}

void WriteNewFile(const std::string& path, const std::string& bytes) {
  WriteAndClose(*CreateFileSink(path), bytes);
}

void SaveInstallLogFile(const std::string& path, const InstallLog& log) {
  // Users may read the log but never change what the uninstaller, run by
  // an administrator, will delete.
  WriteAndClose(*CreateUsersReadAndRunFile(path), log.SaveText());
}

}  // namespace tidemark
