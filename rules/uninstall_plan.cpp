#include "rules/uninstall_plan.h"

#include "rules/installed_files.h"

namespace tidemark {
namespace {

// The uninstaller is recognised by its name anywhere in the entry, compared
// byte for byte from the start of a character.
bool IsUninstaller(std::string_view entry, LeadBytePredicate is_lead_byte) {
  return ContainsText(entry, kUninstallerFileName, is_lead_byte);
}

bool IsInScope(std::string_view candidate, const PruningScope& scope,
               LeadBytePredicate is_lead_byte) {
  if (!IsFolderBelowRoot(candidate, is_lead_byte)) return false;
  if (IsAtOrBelow(candidate, scope.install_folder, is_lead_byte)) return true;
  return !scope.group_folder.empty() && candidate == scope.group_folder;
}

std::string FolderOrNothing(std::string folder, LeadBytePredicate is_lead_byte) {
  return IsFolderBelowRoot(folder, is_lead_byte) ? folder : std::string();
}

// The folder that holds `path`, or nothing when that is no absolute folder
// below a root.
std::string OwnFolderOf(std::string_view path, LeadBytePredicate is_lead_byte) {
  return FolderOrNothing(FolderWithoutSeparator(path, is_lead_byte), is_lead_byte);
}

}  // namespace

std::string FindUninstallerPath(const InstallLog& log, LeadBytePredicate is_lead_byte) {
  for (size_t i = log.size(); i-- > 0;) {
    if (IsUninstaller(log[i], is_lead_byte)) return log[i];
  }
  return std::string();
}

PruningScope MakePruningScope(std::string_view install_folder, std::string_view programs_folder,
                              std::string_view app_name, LeadBytePredicate is_lead_byte) {
  PruningScope scope;
  scope.install_folder = FolderOrNothing(std::string(install_folder), is_lead_byte);
  if (!programs_folder.empty() && IsSafeRelativeName(app_name, is_lead_byte)) {
    scope.group_folder = FolderOrNothing(
        WithoutTrailingBackslashes(ProgramGroupFolder(programs_folder, app_name), is_lead_byte),
        is_lead_byte);
  }
  return scope;
}

std::vector<std::string> FoldersToPrune(std::string_view entry, const PruningScope& scope,
                                        LeadBytePredicate is_lead_byte) {
  std::vector<std::string> folders;
  std::string folder = FolderWithoutSeparator(entry, is_lead_byte);
  while (IsFolderBelowRoot(folder, is_lead_byte)) {
    if (IsInScope(folder, scope, is_lead_byte)) folders.push_back(folder);
    std::string enclosing = FolderWithoutSeparator(folder, is_lead_byte);
    if (enclosing.size() >= folder.size()) break;
    folder = std::move(enclosing);
  }
  return folders;
}

std::optional<std::string> LeftoverFolder(std::string_view uninstaller_path,
                                          LeadBytePredicate is_lead_byte) {
  std::string folder = OwnFolderOf(uninstaller_path, is_lead_byte);
  if (folder.empty()) return std::nullopt;
  return folder;
}

}  // namespace tidemark
