// Uninstall mode and the uninstall run.
#include <string>

#include "app/controls/progress_meter.h"
#include "app/steps/removal_batch_file.h"
#include "app/steps/startup.h"
#include "app/steps/step_report.h"
#include "app/steps/uninstall_run.h"
#include "app/window/install.h"

namespace tidemark {

// The last step of start-up: the uninstall page when the install log lies
// beside the running executable. A log that cannot be read is reported by
// the default error report and leaves the window installing, with no file
// items found.
void TfrmInstall::TestUninstallMode() {
  if (!LoadUninstallLog(session)) return;
  SetControlText(ids::kLabUninstall,
                 "Are you sure you want to uninstall " + session.appName + " ?");
  ShowPage(ids::kTabUninstall);
}

void TfrmInstall::btnUninstallClick(HWND) {
  ShowPage(ids::kTabUninstalled);
  SetControlText(ids::kLabUninstall2, "Uninstalling...");
  // OK waits for the run; should the run fail, it must not stay out of
  // reach, or the program could not be left.
  struct EnabledAtEnd {
    HWND button;
    ~EnabledAtEnd() { EnableWindow(button, TRUE); }
  } exit_button{Control(ids::kBtnUninstallExit)};
  EnableWindow(exit_button.button, FALSE);
  HWND meter = Control(ids::kMtrUninstall);
  ResetProgressMeter(meter, static_cast<int>(session.installLog.size()));
  // The deletion handles no messages; show the page before it starts.
  UpdateWindow(handle());

  const ProgressFn advance = AdvanceProgressMeter(meter);
  RemoveInstallation(session, [&] {
    advance(1);
    UpdateWindow(meter);
  });

  SetControlText(ids::kLabUninstall2, "Uninstall Complete.");
  if (LeftoversRemain(session.uninstallerPath, handle()))
    SetControlText(ids::kLabTraces, kLeftoverNote);
}

// Leaving the finished run: the batch removes the uninstaller once this
// program has ended, which it does at once.
void TfrmInstall::btnUninstallExitClick(HWND) {
  if (!session.uninstallerPath.empty()) StartRemovalBatch(session.uninstallerPath, handle());
  RequestProgramEnd();
}

}  // namespace tidemark
