// The names of the files an installation leaves beside the product.
#pragma once

#include <string>
#include <string_view>

#include "rules/path_rules.h"

namespace tidemark {

// The uninstaller, written into the install folder.
inline constexpr char kUninstallerFileName[] = "uninstall.exe";

// The install log's file name: the product name + ".ilg".
std::string InstallLogFileName(std::string_view app_name);

// install folder + "\uninstall.exe"
std::string UninstallerPathIn(std::string_view install_folder);

// The program group folder: programs folder + "\" + product name.
std::string ProgramGroupFolder(std::string_view programs_folder, std::string_view app_name);

// Whether an installer may go on with this product name: a plain file name
// (IsSafeFileName), or none at all, which makes no uninstall entry and no
// program group of its own. Any other name ("..\x", "C:x", "a\b", ".")
// would put the program group, the install log or the uninstall entry
// outside their folders; only a tampered container carries one.
bool IsAcceptableAppName(std::string_view app_name, LeadBytePredicate is_lead_byte = nullptr,
                         int code_page = kAnyCodePage);

}  // namespace tidemark
