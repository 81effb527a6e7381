// The installation run and the Complete page.
#include <string>

#include "app/controls/message_box.h"
#include "app/controls/progress_meter.h"
#include "app/steps/file_items_step.h"
#include "app/steps/registration_step.h"
#include "app/steps/shortcut_step.h"
#include "app/steps/whole_file.h"
#include "app/window/install.h"
#include "rules/installed_files.h"
#include "rules/path_rules.h"
#include "system/file_system.h"
#include "system/shell.h"

namespace tidemark {
namespace {

// Whether the run may go on into `folder`: an existing folder is used only
// when the user says so, since same-named files in it are replaced.
bool ConfirmInstallFolder(HWND owner, const std::string& folder) {
  if (!FolderExists(folder)) return true;
  return ShowMessage(owner, BoxKind::kWarning,
                     "Folder already exists, existing files may be overwritten.\r"
                     "Are you sure you want to install the software here?",
                     {BoxButton::kYes, BoxButton::kNo}) != BoxButton::kNo;
}

}  // namespace

void TfrmInstall::btnGoInstallClick(HWND) {
  // Start-up that failed before it found the file items leaves nothing to
  // install from; reading on would unpack the head items as files.
  if (session.payloadStart <= 0) {
    ShowMessage(handle(), BoxKind::kError, "The installer is damaged and cannot install.",
                {BoxButton::kOk});
    return;
  }
  const int32_t file_count = session.controlInfo.IntValue("Filecount");
  session.installFolder = ControlText(ids::kLabInstallTo);
  // An empty line would install into the root of the current drive.
  if (session.installFolder.empty()) {
    ShowMessage(handle(), BoxKind::kWarning, "Please choose a folder to install into.",
                {BoxButton::kOk});
    return;
  }
  if (!ConfirmInstallFolder(handle(), session.installFolder)) return;

  session.mainProgramPath = JoinPath(session.installFolder, session.controlInfo.Value("ExeName"));
  ResetProgressMeter(Control(ids::kMtrProgress), session.controlInfo.IntValue("Filebytes"));
  ShowPage(ids::kTabInstalling);

  session.installLog.Clear();
  if (!InstallFileItems(session, file_count,
                        {handle(), Control(ids::kMtrProgress), Control(ids::kLabInstallingFile)})) {
    RequestProgramEnd();
    return;
  }
  WriteUninstaller(session, Control(ids::kMtrProgress));
  const std::string log_path = JoinPath(session.installFolder, InstallLogFileName(session.appName));
  session.installLog.Append(log_path);  // the log lists itself, for the uninstaller
  MakeShortcuts(session.controlInfo,
                ShortcutFolders{session.installFolder, session.desktopFolder,
                                session.programsFolder, session.appName},
                session.installLog);
  SaveInstallLogFile(log_path, session.installLog);
  RegisterUninstallEntry(session.appName, session.installFolder);
  // An exit asked for during the run ends the program once the run is
  // complete, without the Complete page.
  if (!end_requested()) ShowPage(ids::kTabInstalled);
}

void TfrmInstall::btnCompleteClick(HWND) {
  session.exeFile.Close();
  if (SendMessageA(Control(ids::kChkRunProgram), BM_GETCHECK, 0, 0) == BST_CHECKED) {
    // No folder is given: the program starts in the installer's current one.
    ShellRun(session.mainProgramPath, "", SW_SHOWNORMAL, handle());
  }
  RequestProgramEnd();
}

}  // namespace tidemark
