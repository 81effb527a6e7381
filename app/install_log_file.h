// Saving the install log beside the installed product.
#pragma once

#include <string>

#include "rules/install_log.h"

namespace tidemark {

// Writes every entry followed by CR LF, in one piece, into a file created
// anew at `path` (an earlier log there is replaced, not merged). Raises
// Error("Cannot create file ...") when the file cannot be created, and an
// Error when it cannot be written.
void SaveInstallLogFile(const std::string& path, const InstallLog& log);

}  // namespace tidemark
