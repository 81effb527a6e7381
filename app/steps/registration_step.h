// The uninstall entry under which Windows lists the installed product.
#pragma once

#include <string>

namespace tidemark {

// Writes "DisplayName" and "UninstallString" under the product's uninstall
// key (HKEY_LOCAL_MACHINE). Nothing is written for an empty product name,
// which would name the shared "Uninstall" key itself. Returns false when a
// write failed (the first failure skips the second); the wizard passes over
// that in silence, since an installation without the rights to register is
// still complete.
bool RegisterUninstallEntry(const std::string& app_name, const std::string& install_folder);

}  // namespace tidemark
