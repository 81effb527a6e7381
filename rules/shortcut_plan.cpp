#include "rules/shortcut_plan.h"

#include "container/control_keys.h"
#include "rules/installed_files.h"

namespace tidemark {
namespace {

constexpr char kUninstallKeyPrefix[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
constexpr char kLinkExtension[] = ".lnk";

std::optional<PlannedShortcut> PlanShortcut(std::string_view folder, const std::string& name,
                                            std::string target, LeadBytePredicate is_lead_byte,
                                            int code_page) {
  const std::string file_name = name + kLinkExtension;
  if (!StaysInFolder(file_name, is_lead_byte, code_page)) return std::nullopt;
  PlannedShortcut shortcut;
  shortcut.link_path = JoinPath(folder, file_name);
  shortcut.working_folder = FolderPart(target, is_lead_byte);
  shortcut.target = std::move(target);
  shortcut.description = name;
  return shortcut;
}

}  // namespace

std::vector<std::string> ShortcutPlan::LogEntries() const {
  std::vector<std::string> entries;
  if (desktop) entries.push_back(desktop->link_path);
  for (const PlannedShortcut& shortcut : group) entries.push_back(shortcut.link_path);
  return entries;
}

ShortcutPlan PlanShortcuts(const ControlInfo& control_info, const ShortcutFolders& folders,
                           LeadBytePredicate is_lead_byte, int code_page) {
  const std::string main_name = control_info.Value(keys::kExeShortcut);
  const std::string main_target =
      JoinPath(folders.install_folder, control_info.Value(keys::kExeName));

  ShortcutPlan plan;
  if (!folders.desktop_folder.empty()) {
    plan.desktop =
        PlanShortcut(folders.desktop_folder, main_name, main_target, is_lead_byte, code_page);
  }
  if (folders.programs_folder.empty()) return plan;

  plan.group_folder = ProgramGroupFolder(folders.programs_folder, folders.app_name);
  const auto add_to_group = [&](const std::string& name, std::string target) {
    if (auto shortcut =
            PlanShortcut(plan.group_folder, name, std::move(target), is_lead_byte, code_page)) {
      plan.group.push_back(std::move(*shortcut));
    }
  };
  add_to_group(main_name, main_target);
  for (int i = 1;; ++i) {
    const std::string number = std::to_string(i);
    const std::string name = control_info.Value(keys::kShortcutNamePrefix + number);
    if (name.empty()) break;
    add_to_group(name, JoinPath(folders.install_folder,
                                control_info.Value(keys::kShortcutPathPrefix + number)));
  }
  return plan;
}

std::string UninstallKeyPath(std::string_view app_name) {
  return kUninstallKeyPrefix + std::string(app_name);
}

std::optional<UninstallRegistration> PlanUninstallRegistration(std::string_view app_name,
                                                               std::string_view install_folder) {
  if (app_name.empty()) return std::nullopt;
  UninstallRegistration registration;
  registration.key_path = UninstallKeyPath(app_name);
  registration.display_name = std::string(app_name);
  // The path, quoted when it holds a blank (so that "C:\Program Files\..."
  // cannot start C:\Program.exe in its place), a blank and the word the
  // program ignores.
  std::string uninstaller = UninstallerPathIn(install_folder);
  if (uninstaller.find(' ') != std::string::npos) uninstaller = '"' + uninstaller + '"';
  registration.uninstall_string = uninstaller + " uninstall";
  return registration;
}

}  // namespace tidemark
