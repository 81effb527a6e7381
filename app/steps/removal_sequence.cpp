#include "app/steps/removal_sequence.h"

#include <vector>

#include "app/report/step_report.h"
#include "app/steps/removal_batch_file.h"
#include "app/steps/uninstall_run.h"
#include "rules/path_rules.h"
#include "rules/removal_scope.h"
#include "system/path.h"

namespace tidemark {

bool RunRemoval(const LoadedInstaller& installer, const MachineFolders& folders,
                const InstallLog& install_log, InstallTarget& target, RemovalReport& report) {
  report.State("Uninstalling...");
  report.Begin(install_log.size());
  const RemovalScope scope{target.install_folder, folders.desktop, folders.programs,
                           installer.app_name};
  // The log lies where others may have changed it: what it names outside
  // the scope is never deleted. A relative entry is no path at all and
  // passes as before.
  InstallLog deletable;
  std::vector<std::string> left_alone;
  for (size_t i = 0; i < install_log.size(); ++i) {
    const std::string& entry = install_log[i];
    if (!IsAbsolutePath(entry) || MayDelete(entry, scope, IsAnsiLeadByte, GetACP())) {
      deletable.Append(entry);
    } else {
      left_alone.push_back(entry);
    }
  }
  RemoveInstallation(deletable, scope, target.uninstaller_path, [&] { report.EntryDone(); });
  for (size_t i = 0; i < left_alone.size(); ++i) report.EntryDone();
  const std::vector<std::string> remaining =
      RemainingLoggedFiles(deletable, target.uninstaller_path);
  for (const std::string& path : remaining) report.NotRemoved(path);
  for (const std::string& path : left_alone) report.LeftAlone(path);
  report.State("Uninstall Complete.");
  if (LeftoversRemain(target.uninstaller_path, report.window())) report.Note(kLeftoverNote);
  return remaining.empty() && left_alone.empty();
}

void StartRemovalOf(const InstallTarget& target, HWND owner) {
  if (!target.uninstaller_path.empty()) StartRemovalBatch(target.uninstaller_path, owner);
}

}  // namespace tidemark
