// The unattended run ("/S"): the installation, or the removal when the
// install log lies beside the program, without any window or box. Its
// messages go to the "/LOG=" file; its outcome is the exit code.
#pragma once

#include "rules/command_line.h"

namespace tidemark {

// The exit codes of an unattended run.
enum UnattendedExit : int {
  kUnattendedDone = 0,                // installed or removed
  kUnattendedFailed = 1,              // any other error (memory, the shortcuts)
  kUnattendedDamaged = 2,             // a damaged installer: nothing written
  kUnattendedNoFolder = 3,            // no install folder, or not an absolute path
  kUnattendedFileFailed = 4,          // a file could not be installed
  kUnattendedRegistrationFailed = 5,  // the uninstall entry could not be written
  kUnattendedRemovalFailed = 6,       // logged files or the removal batch remain
};

// Runs start-up and then the installation or the removal, as the wizard's
// "Install Now" or "Uninstall" and "OK" would; returns the exit code.
int RunUnattended(const CommandLine& command);

}  // namespace tidemark
