// The uninstall entry under which Windows lists the installed product.
#pragma once

#include <string>

#include "container/control_info.h"

namespace tidemark {

// Writes "DisplayName" and "UninstallString" under the product's uninstall
// key (HKEY_LOCAL_MACHINE), then the further values that the control
// information's keys call for (rules/uninstall_entry.h; none when it has
// none of them), dated today. Nothing is written for an empty product name,
// which would name the shared "Uninstall" key itself. Returns false when a
// write failed (the first failure skips the rest); the wizard passes over
// that in silence, since an installation without the rights to register is
// still complete.
bool RegisterUninstallEntry(const ControlInfo& control_info, const std::string& app_name,
                            const std::string& install_folder);

}  // namespace tidemark
