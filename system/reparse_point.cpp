#include "system/reparse_point.h"

#include <windows.h>

#include <algorithm>
#include <string_view>

#include "rules/path_rules.h"
#include "system/path.h"

namespace tidemark {
namespace {

bool IsReparsePointAttributes(DWORD attributes) {
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

// The first "\\" or "/" of `path` that is a character of its own: Windows
// takes both as separators. "/" is never the second byte of a double-byte
// character.
size_t FirstSeparator(std::string_view path) {
  return std::min(FirstBackslash(path, IsAnsiLeadByte), path.find('/'));
}

}  // namespace

bool IsReparsePoint(const std::string& path) {
  return IsReparsePointAttributes(GetFileAttributesA(path.c_str()));
}

std::optional<std::string> FirstReparsePointOnTheWay(const std::string& base,
                                                     const std::string& relative) {
  std::string path = base;
  std::string_view rest = relative;
  while (!rest.empty()) {
    const size_t separator = FirstSeparator(rest);
    path = JoinPath(path, rest.substr(0, separator));
    rest = separator == std::string_view::npos ? std::string_view() : rest.substr(separator + 1);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return std::nullopt;
    if (IsReparsePointAttributes(attributes)) return path;
  }
  return std::nullopt;
}

bool RemoveEntryItself(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return true;
  // A folder link is removed as a folder is; RemoveDirectoryA never touches
  // what it points to, nor a folder's contents.
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return RemoveDirectoryA(path.c_str()) != FALSE;
  // On purpose: the read-only mark is cleared only on a plain file, since
  // on a link it could reach the file the link points to.
  if ((attributes & FILE_ATTRIBUTE_READONLY) && !IsReparsePointAttributes(attributes)) {
    SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
  }
  return DeleteFileA(path.c_str()) != FALSE;
}

}  // namespace tidemark
