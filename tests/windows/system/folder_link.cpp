#include "tests/windows/system/folder_link.h"

#include <windows.h>

#include <vector>

#include "system/handles.h"
#include "system/wide_text.h"

namespace tidemark::testing {
namespace {

// Wine's own export, named by its documentation; absent on Windows.
using UnixFileNameFn = char*(CDECL*)(const wchar_t*);

UnixFileNameFn WineUnixFileName() {
  return reinterpret_cast<UnixFileNameFn>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
}

std::string UnixPath(UnixFileNameFn unix_file_name, const std::string& path) {
  char* unix_path = unix_file_name(AnsiToWideChars(path).data());
  if (unix_path == nullptr) return std::string();
  std::string copy = unix_path;
  HeapFree(GetProcessHeap(), 0, unix_path);
  return copy;
}

bool Run(std::string command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  command.push_back('\0');
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  const UniqueHandle process_handle(process.hProcess);
  const UniqueHandle thread(process.hThread);
  return true;
}

}  // namespace

bool MakeFolderLink(const std::string& link, const std::string& target) {
  const UnixFileNameFn unix_file_name = WineUnixFileName();
  if (unix_file_name != nullptr) {
    const std::string unix_target = UnixPath(unix_file_name, target);
    const std::string unix_link = UnixPath(unix_file_name, link);
    // On purpose: unquoted, since Wine hands quotes on to a Unix program as
    // part of its arguments; paths with blanks are refused instead.
    if (unix_target.find(' ') != std::string::npos || unix_link.find(' ') != std::string::npos) {
      return false;
    }
    Run("/bin/ln -s " + unix_target + " " + unix_link);
  } else {
    CreateSymbolicLinkA(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY);
  }
  // A Unix program's process is not one Wine can wait for: its handle may
  // be signalled before ln has run, so the link is awaited itself.
  for (int waited = 0; waited < 100; ++waited) {
    if (GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(50);
  }
  return false;
}

}  // namespace tidemark::testing
