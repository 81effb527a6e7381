#include "system/protected_file.h"

#include <windows.h>
#include <sddl.h>

#include "container/errors.h"
#include "system/handles.h"
#include "system/system_error.h"

namespace tidemark {
namespace {

[[noreturn]] void CannotCreate(const std::string& path) {
  throw Error(CannotCreateFileMessage(path, LastErrorText()));
}

void RemoveWhatIsInTheWay(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return;
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    // Only an empty folder goes, or the link itself where it is one: a
    // folder's contents are never deleted on another user's word.
    if (!RemoveDirectoryA(path.c_str())) CannotCreate(path);
    return;
  }
  if (attributes & FILE_ATTRIBUTE_READONLY) {
    SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  if (!DeleteFileA(path.c_str())) CannotCreate(path);
}

}  // namespace

LocalMemory AdministratorsOnlyDescriptor() {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(
          kAdministratorsOnlySddl, SDDL_REVISION_1, &descriptor, nullptr)) {
    return LocalMemory();
  }
  return LocalMemory(descriptor);
}

void WriteAdministratorsOnlyFile(const std::string& path, const std::string& bytes) {
  RemoveWhatIsInTheWay(path);
  const LocalMemory descriptor = AdministratorsOnlyDescriptor();
  if (!descriptor) CannotCreate(path);
  SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), descriptor.get(), FALSE};
  // CREATE_NEW: should anything have appeared since it was removed, this
  // fails rather than write through it.
  UniqueHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, &security, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) CannotCreate(path);
  DWORD written = 0;
  if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    throw Error(kStreamWriteError);
  }
  if (!CloseHandle(file.Release())) throw Error(kStreamWriteError);
}

}  // namespace tidemark
