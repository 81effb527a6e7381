#include "system/file_system.h"

#include <windows.h>

#include "rules/path_rules.h"
#include "system/handles.h"
#include "system/path.h"

namespace tidemark {

namespace {

bool IsFolder(DWORD attributes) { return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

}  // namespace

bool FolderExists(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && IsFolder(attributes);
}

// The attributes, not a directory search: a search reads the whole folder
// (under Wine at least), which is slow in a folder of many files.
bool FileExists(const std::string& path) {
  if (path.find_first_of("*?") != std::string::npos) return false;
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !IsFolder(attributes);
}

bool ForceDirectories(const std::string& path) {
  // A "\" that is the second byte of a double-byte character ends the
  // folder's name; dropping it would make another folder.
  const std::string folder = WithoutTrailingBackslashes(path, IsAnsiLeadByte);
  if (folder.empty()) return false;
  if (FolderExists(folder)) return true;
  const std::string parent = FolderWithoutSeparator(folder, IsAnsiLeadByte);
  // A drive ("C:") or a share root has no parent to create; stop there.
  if (!parent.empty() && parent.size() < folder.size()) ForceDirectories(parent);
  return CreateSingleFolder(folder) || FolderExists(folder);
}

bool CreateSingleFolder(const std::string& path) {
  return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool DeleteFileQuiet(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

bool RemoveFolderQuiet(const std::string& path) { return RemoveDirectoryA(path.c_str()) != FALSE; }

void ForEachFolderEntry(const std::string& folder, const FolderEntryFn& on_entry) {
  const std::string pattern = folder + "\\*.*";
  WIN32_FIND_DATAA found;
  FindHandle search(FindFirstFileA(pattern.c_str(), &found));
  if (!search) return;
  do {
    on_entry(found.cFileName, found.dwFileAttributes);
  } while (FindNextFileA(search.get(), &found));
}

}  // namespace tidemark
