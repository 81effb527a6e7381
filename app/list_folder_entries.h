// Listing what a folder holds, for the leftover check after an uninstall.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tidemark {

// Appends folder + "\" + name for every entry of `folder` (given without a
// trailing "\"): files and sub-folders alike, hidden and system ones
// included; "." and ".." and volume labels are left out. Pending messages
// of `window`'s thread are handled once per entry the search returns, so
// that a long listing keeps the window painted. A missing folder appends
// nothing.
void ListFolderEntries(const std::string& folder, std::vector<std::string>& list, HWND window);

}  // namespace tidemark
