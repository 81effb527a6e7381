// The uninstall run's work on disk: what the install log lists goes, last
// entry first, and the folders that this leaves empty go with it; then the
// listing of what is left in the application folder.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "rules/install_log.h"
#include "rules/uninstall_plan.h"

namespace tidemark {

// Deletes the file of every entry, from the last to the first, and after
// each one removes the folders of `scope` that it may have emptied,
// innermost first. An entry that is not an absolute path is not deleted: it
// would name a file in whatever folder happens to be current. Files that
// cannot be deleted and folders that are not empty stay, without a word.
// `after_entry` runs once per entry, whatever became of it.
void RemoveLoggedPaths(const InstallLog& log, const PruningScope& scope,
                       const std::function<void()>& after_entry);

// Appends folder + "\" + name for every entry of `folder` (given without a
// trailing "\"): files and sub-folders alike, hidden and system ones
// included; "." and ".." and volume labels are left out. Pending messages
// of `window`'s thread are handled once per entry the search returns, so
// that a long listing keeps the window painted. A missing folder appends
// nothing.
void ListFolderEntries(const std::string& folder, std::vector<std::string>& list, HWND window);

}  // namespace tidemark
