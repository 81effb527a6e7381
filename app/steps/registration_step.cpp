#include "app/steps/registration_step.h"

#include <exception>

#include "rules/shortcut_plan.h"
#include "system/registry.h"

namespace tidemark {

bool RegisterUninstallEntry(const std::string& app_name, const std::string& install_folder) {
  const auto registration = PlanUninstallRegistration(app_name, install_folder);
  if (!registration) return true;
  try {
    WriteRegString(registration->key_path, "DisplayName", registration->display_name);
    WriteRegString(registration->key_path, "UninstallString", registration->uninstall_string);
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace tidemark
