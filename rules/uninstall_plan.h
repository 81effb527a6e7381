// The pure parts of the uninstall run: which log entry is the uninstaller,
// which emptied folders to try to remove after each deletion, and which
// folder to check for leftovers.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rules/install_log.h"
#include "rules/path_rules.h"

namespace tidemark {

// The uninstaller's path as the log names it: the last entry, in log order,
// that contains "uninstall.exe" anywhere (bytes compared, so a capitalised
// "Uninstall.exe" does not count, while "...\my_uninstall.exe" and a
// shortcut such as "...\uninstall.exe.lnk" do). Empty when no entry
// contains it.
std::string FindUninstallerPath(const InstallLog& log, LeadBytePredicate is_lead_byte = nullptr);

// The folders the uninstaller may remove once they are empty, each without
// trailing "\": the install folder with everything below it, and the
// program group folder. Either is empty when there is none.
struct PruningScope {
  std::string install_folder;
  std::string group_folder;
};

// The install folder is the one given (the running uninstaller's own
// folder, which a changed log cannot move), without a trailing "\"; none
// when it is no absolute folder below a root: never a drive, nor a path
// relative to whatever the current folder happens to be. The group folder
// is programs folder + "\" + product name; there is none for an empty
// programs folder, or a product name that is not a plain relative name (an
// empty one would make it the Start-menu programs folder itself).
PruningScope MakePruningScope(std::string_view install_folder, std::string_view programs_folder,
                              std::string_view app_name, LeadBytePredicate is_lead_byte = nullptr);

// The folders to try to remove after the file `entry` has been deleted,
// innermost first: the entry's folder and each enclosing folder, whole
// folder names only, keeping those in `scope`. The desktop, the Start-menu
// programs folder and anything outside the install folder never appear.
std::vector<std::string> FoldersToPrune(std::string_view entry, const PruningScope& scope,
                                        LeadBytePredicate is_lead_byte = nullptr);

// The folder to list for leftovers once the run is over: the uninstaller's
// folder. None when there is no uninstaller path, or when its folder is not
// an absolute folder below a root (empty, relative, or a drive).
std::optional<std::string> LeftoverFolder(std::string_view uninstaller_path,
                                          LeadBytePredicate is_lead_byte = nullptr);

}  // namespace tidemark
