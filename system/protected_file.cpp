#include "system/protected_file.h"

#include <windows.h>
#include <sddl.h>

#include "container/errors.h"
#include "system/handles.h"
#include "system/opened_file_sink.h"
#include "system/reparse_point.h"
#include "system/system_error.h"

namespace tidemark {
namespace {

[[noreturn]] void CannotCreate(const std::string& path) {
  throw Error(CannotCreateFileMessage(path, LastErrorText()));
}

// The file at `path`, made anew with the rules of `sddl` once whatever was
// in the way is gone.
UniqueHandle CreateNewProtectedFile(const std::string& path, const char* sddl) {
  // Only an empty folder goes, or the link itself where it is one: a
  // folder's contents are never deleted on another user's word.
  if (!RemoveEntryItself(path)) CannotCreate(path);
  const LocalMemory descriptor = DescriptorFromSddl(sddl);
  if (!descriptor) CannotCreate(path);
  SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), descriptor.get(), FALSE};
  // CREATE_NEW: should anything have appeared since it was removed, this
  // fails rather than write through it.
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, &security, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) CannotCreate(path);
  return file;
}

}  // namespace

LocalMemory DescriptorFromSddl(const char* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                            nullptr)) {
    return LocalMemory();
  }
  return LocalMemory(descriptor);
}

LocalMemory AdministratorsOnlyDescriptor() { return DescriptorFromSddl(kAdministratorsOnlySddl); }

void WriteAdministratorsOnlyFile(const std::string& path, const std::string& bytes) {
  UniqueHandle file = CreateNewProtectedFile(path, kAdministratorsOnlySddl);
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    throw Error(kStreamWriteError);
  }
  if (!CloseHandle(file.Release())) throw Error(kStreamWriteError);
}

std::unique_ptr<FileSink> CreateUsersReadAndRunFile(const std::string& path) {
  return OpenedFileSink(CreateNewProtectedFile(path, kUsersReadAndRunSddl));
}

bool CreateProtectedFolder(const std::string& path) {
  const LocalMemory descriptor = DescriptorFromSddl(kProtectedFolderSddl);
  if (!descriptor) return false;
  SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), descriptor.get(), FALSE};
  return CreateDirectoryA(path.c_str(), &security) != FALSE;
}

}  // namespace tidemark
