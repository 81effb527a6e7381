// Unpacking the installation: every file item, in container order, into the
// install folder, and the uninstaller beside them.
#pragma once

#include <cstdint>

#include <string>

#include "app/report/step_report.h"
#include "app/steps/session.h"
#include "container/items.h"
#include "rules/install_log.h"

namespace tidemark {

// Installs file items 1 to `count` from the installer's executable into
// `install_folder`, appending each path to `install_log` before the file is
// written. Returns false when the installation had to be aborted: a name
// that would leave the install folder, reach a device or lose its trailing
// dot or blank, or a file missing after it was written; the box "Could not
// install file - aborting installation" has then been reported, and the
// caller ends the program. Errors of the item itself (a size that is not a
// number, a file that cannot be created, a damaged item) are raised once
// its folder has been made and its path logged.
bool InstallFileItems(LoadedInstaller& installer, const std::string& install_folder,
                      InstallLog& install_log, int32_t count, InstallDisplay& display);

// Logs and writes uninstall.exe in `install_folder`: the first PayloadStart
// bytes of the executable as stored on disk (a scrambled container stays
// scrambled), read afresh from the installer's file. The install folder is
// created first, since a product without file items never made it. A file
// that cannot be written passes in silence; an executable that cannot be
// read again raises its error. `progress` counts the bytes written.
void WriteUninstaller(LoadedInstaller& installer, const std::string& install_folder,
                      InstallLog& install_log, const ProgressFn& progress);

// What follows the file items: the uninstaller, the log's own entry, the
// shortcuts and the log file in the install folder. Raises the errors of
// the shortcuts and of the log file.
void FinishInstallation(LoadedInstaller& installer, const MachineFolders& folders,
                        const std::string& install_folder, InstallLog& install_log,
                        const ProgressFn& uninstaller_progress);

}  // namespace tidemark
