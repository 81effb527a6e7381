#include "app/steps/removal_sequence.h"

#include <vector>

#include "app/report/step_report.h"
#include "app/steps/removal_batch_file.h"
#include "app/steps/uninstall_run.h"

namespace tidemark {

bool RunRemoval(const LoadedInstaller& installer, const MachineFolders& folders,
                const InstallLog& install_log, InstallTarget& target, RemovalReport& report) {
  report.State("Uninstalling...");
  report.Begin(install_log.size());
  RemoveInstallation(install_log, folders.programs, installer.app_name, target.uninstaller_path,
                     [&] { report.EntryDone(); });
  const std::vector<std::string> remaining =
      RemainingLoggedFiles(install_log, target.uninstaller_path);
  for (const std::string& path : remaining) report.NotRemoved(path);
  report.State("Uninstall Complete.");
  if (LeftoversRemain(target.uninstaller_path, report.window())) report.Note(kLeftoverNote);
  return remaining.empty();
}

void StartRemovalOf(const InstallTarget& target, HWND owner) {
  if (!target.uninstaller_path.empty()) StartRemovalBatch(target.uninstaller_path, owner);
}

}  // namespace tidemark
