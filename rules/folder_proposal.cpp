#include "rules/folder_proposal.h"

namespace tidemark {

FolderProposal ProposeFolder(std::string_view target_folder, std::string_view program_files_folder,
                             LeadBytePredicate is_lead_byte) {
  const size_t last = LastSeparator(target_folder, is_lead_byte);
  const size_t name_start = last == std::string_view::npos ? 0 : last + 1;
  const std::string_view folder = target_folder.substr(0, name_start);

  FolderProposal proposal;
  proposal.name = std::string(target_folder.substr(name_start));
  proposal.folder_base = std::string(program_files_folder);
  const size_t tail_start = FirstBackslash(folder, is_lead_byte);
  if (tail_start != std::string_view::npos) proposal.folder_base += folder.substr(tail_start);
  return proposal;
}

std::string InstallFolderLine(std::string_view folder_base, std::string_view name,
                              LeadBytePredicate is_lead_byte) {
  if (EndsWithBackslash(folder_base, is_lead_byte)) {
    return std::string(folder_base) + std::string(name);
  }
  return JoinPath(folder_base, name);
}

std::string InitialInstallFolderLine(const FolderProposal& proposal, bool folder_base_entered,
                                     LeadBytePredicate is_lead_byte) {
  if (!folder_base_entered || proposal.name.empty()) return std::string();
  return InstallFolderLine(proposal.folder_base, proposal.name, is_lead_byte);
}

}  // namespace tidemark
