#include "system/current_folder.h"

#include <windows.h>

#include <algorithm>

#include "container/errors.h"
#include "rules/directory_entries.h"
#include "rules/path_rules.h"
#include "system/file_system.h"
#include "system/path.h"
#include "system/system_error.h"

namespace tidemark {
namespace {

// The variable "=C:" holds drive C's current directory while another drive
// is current (the convention of the C runtime and the command interpreter).
std::string DriveVariable(char letter) { return std::string("=") + letter + ":"; }

bool IsListedFolder(const std::string& name, uint32_t attributes) {
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return false;
  if ((attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0) return false;
  return name != "." && name != "..";
}

bool NameSortsBefore(const std::string& a, const std::string& b) {
  const int order = lstrcmpiA(a.c_str(), b.c_str());
  return order != 0 ? order < 0 : a < b;
}

}  // namespace

std::string CurrentFolder() {
  std::string folder(MAX_PATH, '\0');
  DWORD length = GetCurrentDirectoryA(static_cast<DWORD>(folder.size()), folder.data());
  if (length >= folder.size()) {
    folder.resize(length);
    length = GetCurrentDirectoryA(static_cast<DWORD>(folder.size()), folder.data());
  }
  folder.resize(length < folder.size() ? length : 0);
  return folder;
}

std::string EnterFolder(const std::string& folder) {
  if (!SetCurrentDirectoryA(folder.c_str())) {
    throw Error("Cannot enter folder \"" + folder + "\". " + LastErrorText());
  }
  const std::string entered = CurrentFolder();
  if (const char letter = DriveLetterOf(entered)) {
    SetEnvironmentVariableA(DriveVariable(letter).c_str(), entered.c_str());
  }
  return entered;
}

std::string DriveCurrentFolder(char letter) {
  const std::string drive = std::string(1, letter) + ":";
  char folder[MAX_PATH] = {};
  const DWORD length = GetFullPathNameA(drive.c_str(), sizeof(folder), folder, nullptr);
  if (length == 0 || length >= sizeof(folder)) return drive + "\\";
  // Some systems answer with a trailing separator; give the current-directory
  // form.
  const std::string found = WithoutTrailingBackslashes(std::string(folder, length), IsAnsiLeadByte);
  return found.size() <= drive.size() ? drive + "\\" : found;
}

std::vector<std::string> SubfolderNames(const std::string& folder) {
  std::vector<std::string> names;
  ForEachFolderEntry(WithoutTrailingBackslashes(folder, IsAnsiLeadByte),
                     [&names](const std::string& name, uint32_t attributes) {
                       if (IsListedFolder(name, attributes)) names.push_back(name);
                     });
  std::sort(names.begin(), names.end(), NameSortsBefore);
  return names;
}

}  // namespace tidemark
