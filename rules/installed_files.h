// The names of the files an installation leaves beside the product.
#pragma once

#include <string>
#include <string_view>

namespace tidemark {

// The uninstaller, written into the install folder.
inline constexpr char kUninstallerFileName[] = "uninstall.exe";

// The install log's file name: the product name + ".ilg".
std::string InstallLogFileName(std::string_view app_name);

// install folder + "\uninstall.exe"
std::string UninstallerPathIn(std::string_view install_folder);

// The program group folder: programs folder + "\" + product name.
std::string ProgramGroupFolder(std::string_view programs_folder, std::string_view app_name);

}  // namespace tidemark
