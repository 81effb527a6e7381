// Unpacking the installation: every file item, in container order, into the
// install folder, and the uninstaller beside them.
#pragma once

#include <cstdint>

#include <string>

#include "app/steps/session.h"
#include "app/steps/step_report.h"
#include "container/items.h"

namespace tidemark {

// Where the unpacking shows itself: the wizard's progress meter and the
// label that names the file, or the unattended run's log.
class InstallDisplay : public StepReport {
 public:
  // Names the file about to be installed ("Installing : NAME").
  virtual void Announce(const std::string& text) = 0;
  // Counts the bytes written.
  virtual ProgressFn Advance() = 0;
  // Shows everything pending now.
  virtual void Paint() = 0;
  // Shows everything pending and handles pending messages now.
  virtual void Show() = 0;
};

// Installs file items 1 to `count` from the session's executable image into
// its install folder, logging each path before the file is written. Returns
// false when the installation had to be aborted: a name that would leave
// the install folder, or a file missing after it was written; the box
// "Could not install file - aborting installation" has then been reported,
// and the caller ends the program. Errors of the item itself (a damaged item, a
// file that cannot be created, a size that is not a number) are raised.
bool InstallFileItems(Session& session, int32_t count, InstallDisplay& display);

// Logs and writes InstallFolder\uninstall.exe: the first PayloadStart bytes
// of the executable as stored on disk (a scrambled container stays
// scrambled), read afresh into the session's executable image. The install
// folder is created first, since a product without file items never made
// it. A file that cannot be written passes in silence; an executable that
// cannot be read again raises its error. `progress` counts the bytes
// written.
void WriteUninstaller(Session& session, const ProgressFn& progress);

// What follows the file items: the uninstaller, the log's own entry, the
// shortcuts and the log file in the install folder. Raises the errors of
// the shortcuts and of the log file.
void FinishInstallation(Session& session, const ProgressFn& uninstaller_progress);

}  // namespace tidemark
