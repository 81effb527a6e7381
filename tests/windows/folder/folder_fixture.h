// Tests that move the process's current directory: they work in a scratch
// folder and give the current directory back before the folder goes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "system/current_folder.h"
#include "tests/windows/system/scratch.h"

namespace tidemark::testing {

class RestoredCurrentFolder {
 public:
  RestoredCurrentFolder() : saved_(CurrentFolder()) {}
  ~RestoredCurrentFolder() { SetCurrentDirectoryA(saved_.c_str()); }
  RestoredCurrentFolder(const RestoredCurrentFolder&) = delete;
  RestoredCurrentFolder& operator=(const RestoredCurrentFolder&) = delete;

 private:
  std::string saved_;
};

// A scratch folder holding the folders `names` (created in this order).
class FolderTree {
 public:
  explicit FolderTree(std::initializer_list<const char*> names) {
    for (const char* name : names) CreateDirectoryA(scratch_.Sub(name).c_str(), nullptr);
  }
  const std::string& path() const { return scratch_.path(); }
  std::string Sub(const std::string& name) const { return scratch_.Sub(name); }
  const ScratchFolder& scratch() const { return scratch_; }

 private:
  ScratchFolder scratch_;
};

// The item texts of a list box (LB_ messages) or a combo box (CB_ messages).
struct ItemMessages {
  UINT count, length, text;
};
inline constexpr ItemMessages kListBoxItems = {LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT};
inline constexpr ItemMessages kComboBoxItems = {CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT};

inline std::vector<std::string> ItemTexts(HWND control, const ItemMessages& messages) {
  std::vector<std::string> texts;
  const int count = static_cast<int>(SendMessageA(control, messages.count, 0, 0));
  for (int i = 0; i < count; ++i) {
    std::string text(static_cast<size_t>(SendMessageA(control, messages.length, i, 0)), '\0');
    SendMessageA(control, messages.text, i, reinterpret_cast<LPARAM>(text.data()));
    texts.push_back(text);
  }
  return texts;
}

// A drive other than the one of `folder` that can be entered (the Z: drive
// under Wine), or 0.
inline char OtherEnterableDrive(const std::string& folder) {
  const DWORD drives = GetLogicalDrives();
  for (int i = 25; i >= 2; --i) {
    const char letter = static_cast<char>('A' + i);
    const std::string root = std::string(1, letter) + ":\\";
    if ((drives & (1u << i)) == 0 || toupper(folder[0]) == letter) continue;
    if (GetDriveTypeA(root.c_str()) == DRIVE_FIXED &&
        GetFileAttributesA(root.c_str()) != INVALID_FILE_ATTRIBUTES) {
      return letter;
    }
  }
  return 0;
}

}  // namespace tidemark::testing
