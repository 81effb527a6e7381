#include "app/steps/shortcut_step.h"

#include <windows.h>

#include "system/file_system.h"
#include "system/path.h"
#include "system/shortcut.h"

namespace tidemark {
namespace {

void MakeShortcut(const PlannedShortcut& shortcut, InstallLog& install_log) {
  CreateShortcut(shortcut.description, shortcut.link_path, shortcut.target);
  install_log.Append(shortcut.link_path);
}

}  // namespace

void MakeShortcuts(const ControlInfo& control_info, const ShortcutFolders& folders,
                   InstallLog& install_log) {
  const ShortcutPlan plan = PlanShortcuts(control_info, folders, IsAnsiLeadByte, GetACP());
  if (plan.desktop) MakeShortcut(*plan.desktop, install_log);
  if (plan.group_folder.empty()) return;
  // One level only: an existing group is used as it is, and a group that
  // cannot be made shows only as links the shell could not write.
  CreateSingleFolder(plan.group_folder);
  for (const PlannedShortcut& shortcut : plan.group) MakeShortcut(shortcut, install_log);
}

}  // namespace tidemark
