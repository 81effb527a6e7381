#include "app/steps/registration_step.h"

#include <windows.h>

#include <exception>

#include "rules/shortcut_plan.h"
#include "rules/uninstall_entry.h"
#include "system/registry.h"

namespace tidemark {
namespace {

std::string Today() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  return InstallDateText(now.wYear, now.wMonth, now.wDay);
}

}  // namespace

bool RegisterUninstallEntry(const ControlInfo& control_info, const std::string& app_name,
                            const std::string& install_folder) {
  const auto registration = PlanUninstallRegistration(app_name, install_folder);
  if (!registration) return true;
  try {
    const std::string& key = registration->key_path;
    WriteRegString(key, "DisplayName", registration->display_name);
    WriteRegString(key, "UninstallString", registration->uninstall_string);
    for (const EntryValue& value : PlanUninstallDetails(control_info, install_folder, Today())) {
      if (value.number) {
        WriteRegDword(key, value.name, *value.number);
      } else {
        WriteRegString(key, value.name, value.text);
      }
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

}  // namespace tidemark
