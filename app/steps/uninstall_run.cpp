#include "app/steps/uninstall_run.h"

#include <cstdint>
#include <optional>
#include <string>

#include "app/message_loop.h"
#include "rules/installed_files.h"
#include "rules/path_rules.h"
#include "rules/shortcut_plan.h"
#include "system/file_system.h"
#include "system/path.h"
#include "system/registry.h"
#include "system/reparse_point.h"

namespace tidemark {
namespace {

// The attribute bit that marks a volume label (FAT's old label entry).
constexpr uint32_t kVolumeLabelAttribute = 8;

bool IsListed(const std::string& name, uint32_t attributes) {
  if ((attributes & kVolumeLabelAttribute) != 0) return false;
  return name != "." && name != "..";
}

// A link swapped in below the install folder (or for the program group)
// after the installation would have the deletion reach whatever it points
// to; the link itself goes instead.
void DeleteLoggedFile(const std::string& entry, const RemovalScope& removal) {
  const EntryPlace place = PlaceEntry(entry, removal, IsAnsiLeadByte, GetACP());
  if (place.kind != EntryKind::kOutside) {
    if (const std::optional<std::string> link =
            FirstReparsePointOnTheWay(place.folder, place.remainder)) {
      RemoveEntryItself(*link);
      return;
    }
  }
  DeleteFileQuiet(entry);
}

}  // namespace

void RemoveInstallation(const InstallLog& install_log, const RemovalScope& scope,
                        std::string& uninstaller_path, const std::function<void()>& after_entry) {
  uninstaller_path = FindUninstallerPath(install_log, IsAnsiLeadByte);
  if (!MayBeUninstallerPath(uninstaller_path, scope, IsAnsiLeadByte, GetACP())) {
    uninstaller_path.clear();
  }
  RemoveLoggedPaths(install_log, scope,
                    MakePruningScope(scope.install_folder, scope.programs_folder, scope.app_name,
                                       IsAnsiLeadByte),
                    after_entry);
  // An empty name would delete the key of every product's uninstall entry.
  if (!scope.app_name.empty()) DeleteRegKey(UninstallKeyPath(scope.app_name));
}

std::vector<std::string> RemainingLoggedFiles(const InstallLog& install_log,
                                              const std::string& uninstaller_path) {
  std::vector<std::string> remaining;
  for (size_t i = install_log.size(); i-- > 0;) {
    const std::string& entry = install_log[i];
    if (entry == uninstaller_path || !IsAbsolutePath(entry)) continue;
    if (FileExists(entry)) remaining.push_back(entry);
  }
  return remaining;
}

bool LeftoversRemain(const std::string& uninstaller_path, HWND window) {
  const std::optional<std::string> folder = LeftoverFolder(uninstaller_path, IsAnsiLeadByte);
  if (!folder) return false;
  std::vector<std::string> entries;
  ListFolderEntries(*folder, entries, window);
  return entries.size() > 1;
}

void RemoveLoggedPaths(const InstallLog& log, const RemovalScope& removal,
                       const PruningScope& pruning, const std::function<void()>& after_entry) {
  for (size_t i = log.size(); i-- > 0;) {
    const std::string& entry = log[i];
    if (IsAbsolutePath(entry)) DeleteLoggedFile(entry, removal);
    for (const std::string& folder : FoldersToPrune(entry, pruning, IsAnsiLeadByte)) {
      RemoveFolderQuiet(folder);
    }
    after_entry();
  }
}

void ListFolderEntries(const std::string& folder, std::vector<std::string>& list, HWND window) {
  ForEachFolderEntry(folder, [&](const std::string& name, uint32_t attributes) {
    HandlePendingMessages(window);
    if (IsListed(name, attributes)) list.push_back(JoinPath(folder, name));
  });
}

}  // namespace tidemark
