// Opening the file a read-back command is given, telling an installer of
// this system (sound or damaged) from an uninstaller one of its
// installations wrote and from a file that is no such installer at all.
#pragma once

#include <string>

#include "packer/build/installer_reader.h"

namespace tidemark {

// The installer at `path`, read as InstallerReader reads it; an uninstaller
// opens too (IsUninstaller), under any name. Raises Error: for a file in
// which no container follows the program and that is no damaged installer
// of this system, that it is not a Tidemark installer and what it is; for
// anything else the reader's own message.
InstallerReader OpenInstaller(const std::string& path);

// Why the uninstaller at `path` has nothing to verify or extract.
std::string UninstallerMessage(const std::string& path);

}  // namespace tidemark
