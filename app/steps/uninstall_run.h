// The uninstall run's work on disk: what the install log lists goes, last
// entry first, and the folders that this leaves empty go with it; then the
// listing of what is left in the application folder.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "rules/install_log.h"
#include "rules/removal_scope.h"
#include "rules/uninstall_plan.h"

namespace tidemark {

// The uninstall run over the entries of `install_log` that `scope` lets it
// delete: finds the uninstaller among them (its path goes to
// `uninstaller_path` first; empty when the log names none below the install
// folder), removes them (see RemoveLoggedPaths; emptied folders within the
// scope's install folder and program group) and the uninstall entry of the
// scope's product. `after_entry` runs once per entry.
void RemoveInstallation(const InstallLog& install_log, const RemovalScope& scope,
                        std::string& uninstaller_path, const std::function<void()>& after_entry);

// The logged files that are still there after the run, last entry first,
// the running uninstaller left out: those that could not be deleted.
std::vector<std::string> RemainingLoggedFiles(const InstallLog& install_log,
                                              const std::string& uninstaller_path);

// Whether the uninstaller's folder holds more than the running uninstaller,
// which cannot delete itself. No uninstaller in the log: nothing to check.
bool LeftoversRemain(const std::string& uninstaller_path, HWND window);

// Deletes the file of every entry, from the last to the first, and after
// each one removes the folders of `pruning` that it may have emptied,
// innermost first. An entry that is not an absolute path is not deleted: it
// would name a file in whatever folder happens to be current. Nothing is
// deleted through a link: where the part of an entry below its folder of
// `removal` (PlaceEntry) meets one, that link itself is removed instead.
// Files that cannot be deleted and folders that are not empty stay,
// without a word. `after_entry` runs once per entry, whatever became of it.
void RemoveLoggedPaths(const InstallLog& log, const RemovalScope& removal,
                       const PruningScope& pruning, const std::function<void()>& after_entry);

// Appends folder + "\" + name for every entry of `folder` (given without a
// trailing "\"): files and sub-folders alike, hidden and system ones
// included; "." and ".." and volume labels are left out. Pending messages
// of `window`'s thread are handled once per entry the search returns, so
// that a long listing keeps the window painted. A missing folder appends
// nothing.
void ListFolderEntries(const std::string& folder, std::vector<std::string>& list, HWND window);

}  // namespace tidemark
