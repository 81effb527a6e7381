#include "app/steps/shortcut_step.h"

#include <windows.h>

#include "system/file_system.h"
#include "system/path.h"
#include "system/reparse_point.h"
#include "system/shortcut.h"

namespace tidemark {
namespace {

// A link in the shortcut's place, or as the program group, would have the
// shell write wherever it points: the shortcut is then not written, and is
// logged as one the shell could not write.
void MakeShortcut(const PlannedShortcut& shortcut, bool through_link, InstallLog& install_log) {
  if (!through_link && !IsReparsePoint(shortcut.link_path)) {
    CreateShortcut(shortcut.description, shortcut.link_path, shortcut.target);
  }
  install_log.Append(shortcut.link_path);
}

}  // namespace

void MakeShortcuts(const ControlInfo& control_info, const ShortcutFolders& folders,
                   InstallLog& install_log) {
  const ShortcutPlan plan = PlanShortcuts(control_info, folders, IsAnsiLeadByte, GetACP());
  if (plan.desktop) MakeShortcut(*plan.desktop, false, install_log);
  if (plan.group_folder.empty()) return;
  // One level only: an existing group is used as it is, and a group that
  // cannot be made shows only as links the shell could not write.
  const bool group_is_link = IsReparsePoint(plan.group_folder);
  if (!group_is_link) CreateSingleFolder(plan.group_folder);
  for (const PlannedShortcut& shortcut : plan.group) {
    MakeShortcut(shortcut, group_is_link, install_log);
  }
}

}  // namespace tidemark
