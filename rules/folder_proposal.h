// The install folder proposal and the install folder line of the Folder page.
#pragma once

#include <string>
#include <string_view>

#include "rules/path_rules.h"

namespace tidemark {

// What start-up proposes from the container's TargetFolder.
struct FolderProposal {
  // The folder that will contain the install folder: the program-files
  // folder followed by TargetFolder's folder part less its leading
  // component. It may or may not end with "\".
  std::string folder_base;
  // The install folder's own name: TargetFolder after its last "\" or ":".
  std::string name;
};

// Splits `target_folder` at its last "\" or ":" into folder part D and name
// N, and replaces D's leading component (a placeholder such as
// %ProgramFiles%, or a drive) by `program_files_folder`: the tail kept is D
// from its first "\" on. A D without "\" is a leading component alone
// ("D:" in "D:Name") and leaves no tail.
FolderProposal ProposeFolder(std::string_view target_folder, std::string_view program_files_folder,
                             LeadBytePredicate is_lead_byte = nullptr);

// The install folder line: `folder_base` and `name` with exactly one "\"
// added between them unless `folder_base` already ends with one.
std::string InstallFolderLine(std::string_view folder_base, std::string_view name,
                              LeadBytePredicate is_lead_byte = nullptr);

// The line the Folder page first shows. The proposal fills it only when the
// caller could enter `folder_base` and the proposed name is not empty
// (setting the empty name field to an empty text changes nothing).
std::string InitialInstallFolderLine(const FolderProposal& proposal, bool folder_base_entered,
                                     LeadBytePredicate is_lead_byte = nullptr);

}  // namespace tidemark
