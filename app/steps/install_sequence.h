// The installation as "Install Now" runs it, one sequence for the wizard
// and the unattended run: the checks before anything is written, the file
// items, the uninstaller, the log's own entry, the shortcuts, the log file
// and the uninstall entry. The two callers differ only in their report: how
// they show the run and how they answer its question.
#pragma once

#include <string>

#include "app/report/step_report.h"
#include "app/steps/session.h"
#include "container/control_info.h"
#include "container/items.h"
#include "rules/install_log.h"

namespace tidemark {

class InstallReport : public InstallDisplay {
 public:
  // The install folder has passed the checks (the unattended log names it).
  virtual void InstallingTo(const std::string& folder) = 0;
  // The file items are about to be installed (the wizard sets its meter to
  // the control information's byte count, raising its conversion error, and
  // shows the Installing page).
  virtual void FilesBegin(const ControlInfo& control_info) = 0;
  // The file items are done with, installed or aborted: what the display
  // still holds is shown.
  virtual void FilesEnd() = 0;
  // Counts the uninstaller's bytes.
  virtual ProgressFn UninstallerProgress() = 0;
};

enum class InstallOutcome {
  kDamaged,        // start-up never found the file items; nothing written
  kNoFolder,       // the install folder is refused; nothing written
  kDeclined,       // the existing folder is not to be used; nothing written
  kAborted,        // a file item could not be installed
  kNotRegistered,  // everything installed but the uninstall entry
  kInstalled,
};

// Installs into `target`'s install folder and sets its main program path.
// Each refusal and the abort have been reported when this returns; errors
// of the steps (a damaged item, the shortcuts, the log file, a file count
// or byte count that is no number) are raised.
InstallOutcome RunInstallation(LoadedInstaller& installer, const MachineFolders& folders,
                               InstallTarget& target, InstallLog& install_log,
                               InstallReport& report);

}  // namespace tidemark
