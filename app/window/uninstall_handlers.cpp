// Uninstall mode and the uninstall run.
#include <optional>
#include <string>
#include <vector>

#include "app/controls/progress_meter.h"
#include "app/steps/removal_batch_file.h"
#include "app/steps/uninstall_run.h"
#include "app/steps/whole_file.h"
#include "app/window/install.h"
#include "rules/installed_files.h"
#include "rules/shortcut_plan.h"
#include "rules/uninstall_plan.h"
#include "system/exe_file.h"
#include "system/file_system.h"
#include "system/path.h"
#include "system/registry.h"

namespace tidemark {
namespace {

constexpr char kLeftoverNote[] =
    "Some files created after the original installation are still in the application folder.";

// Whether the uninstaller's folder holds more than the running uninstaller,
// which cannot delete itself. No uninstaller in the log: nothing to check.
bool LeftoversRemain(const std::string& uninstaller_path, HWND window) {
  const std::optional<std::string> folder = LeftoverFolder(uninstaller_path, IsAnsiLeadByte);
  if (!folder) return false;
  std::vector<std::string> entries;
  ListFolderEntries(*folder, entries, window);
  return entries.size() > 1;
}

}  // namespace

// The last step of start-up. The install log beside the running executable
// makes it the uninstaller, whatever its name; otherwise it installs, and
// the head items having all been read, the read position is the first file
// item. A log that cannot be read is reported by the default error report
// and leaves the window installing, with no file items found.
void TfrmInstall::TestUninstallMode() {
  const std::string log_path =
      AnsiFolderPart(RunningExecutablePath()) + InstallLogFileName(session.appName);
  if (!FileExists(log_path)) {
    session.payloadStart = session.exeImage.Position();
    return;
  }
  session.installLog.LoadText(ReadWholeFile(log_path));
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

  session.uninstallerPath = FindUninstallerPath(session.installLog, IsAnsiLeadByte);
  const ProgressFn advance = AdvanceProgressMeter(meter);
  RemoveLoggedPaths(
      session.installLog,
      MakePruningScope(session.installLog, session.programsFolder, session.appName, IsAnsiLeadByte),
      [&] {
        advance(1);
        UpdateWindow(meter);
      });
  // An empty name would delete the key of every product's uninstall entry.
  if (!session.appName.empty()) DeleteRegKey(UninstallKeyPath(session.appName));

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
