#include "rules/installed_files.h"

namespace tidemark {

std::string InstallLogFileName(std::string_view app_name) { return std::string(app_name) + ".ilg"; }

std::string UninstallerPathIn(std::string_view install_folder) {
  return JoinPath(install_folder, kUninstallerFileName);
}

std::string ProgramGroupFolder(std::string_view programs_folder, std::string_view app_name) {
  return JoinPath(programs_folder, app_name);
}

bool IsAcceptableAppName(std::string_view app_name, LeadBytePredicate is_lead_byte, int code_page) {
  return app_name.empty() || IsSafeFileName(app_name, is_lead_byte, code_page);
}

}  // namespace tidemark
