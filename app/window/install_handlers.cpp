// The installation run and the Complete page.
#include <string>
#include <utility>
#include <vector>

#include "app/controls/message_box.h"
#include "app/controls/progress_meter.h"
#include "app/steps/file_items_step.h"
#include "app/steps/registration_step.h"
#include "app/steps/step_report.h"
#include "app/window/install.h"
#include "rules/path_rules.h"
#include "system/file_system.h"
#include "system/unelevated_start.h"

namespace tidemark {
namespace {

// Whether the run may go on into `folder`: an existing folder is used only
// when the user says so, since same-named files in it are replaced.
bool ConfirmInstallFolder(HWND owner, const std::string& folder) {
  if (!FolderExists(folder)) return true;
  return ShowMessage(owner, BoxKind::kWarning, kFolderExistsQuestion,
                     {BoxButton::kYes, BoxButton::kNo}) != BoxButton::kNo;
}

// The file loop as the Installing page shows it, its boxes owned by the
// window.
class PageInstallDisplay : public InstallDisplay {
 public:
  PageInstallDisplay(HWND owner, HWND meter, HWND file_label)
      : owner_(owner), paced_(owner, meter, file_label) {}
  void Announce(const std::string& text) override { paced_.Announce(text); }
  ProgressFn Advance() override { return paced_.Advance(); }
  void Paint() override { paced_.Paint(); }
  void Show() override { paced_.Show(); }
  BoxButton Message(BoxKind kind, const std::string& text,
                    std::vector<BoxButton> buttons) override {
    return ShowMessage(owner_, kind, text, std::move(buttons));
  }

 private:
  HWND owner_;
  PacedProgress paced_;
};

bool InstallFilesShown(Session& session, int32_t file_count, HWND owner, HWND meter,
                       HWND file_label) {
  PageInstallDisplay display(owner, meter, file_label);  // paints what is pending when it goes
  return InstallFileItems(session, file_count, display);
}

}  // namespace

void TfrmInstall::btnGoInstallClick(HWND) {
  // Start-up that failed before it found the file items leaves nothing to
  // install from; reading on would unpack the head items as files.
  if (session.payloadStart <= 0) {
    ShowMessage(handle(), BoxKind::kError, kDamagedCannotInstall, {BoxButton::kOk});
    return;
  }
  const int32_t file_count = session.controlInfo.IntValue("Filecount");
  session.installFolder = ControlText(ids::kLabInstallTo);
  // An empty line would install into the root of the current drive.
  if (session.installFolder.empty()) {
    ShowMessage(handle(), BoxKind::kWarning, kChooseInstallFolder, {BoxButton::kOk});
    return;
  }
  if (!ConfirmInstallFolder(handle(), session.installFolder)) return;

  session.mainProgramPath = JoinPath(session.installFolder, session.controlInfo.Value("ExeName"));
  ResetProgressMeter(Control(ids::kMtrProgress), session.controlInfo.IntValue("Filebytes"));
  ShowPage(ids::kTabInstalling);

  session.installLog.Clear();
  if (!InstallFilesShown(session, file_count, handle(), Control(ids::kMtrProgress),
                         Control(ids::kLabInstallingFile))) {
    RequestProgramEnd();
    return;
  }
  FinishInstallation(session, AdvanceProgressMeter(Control(ids::kMtrProgress)));
  RegisterUninstallEntry(session.appName, session.installFolder);  // a failure passes in silence
  // An exit asked for during the run ends the program once the run is
  // complete, without the Complete page.
  if (!end_requested()) ShowPage(ids::kTabInstalled);
}

void TfrmInstall::btnCompleteClick(HWND) {
  session.exeFile.Close();
  if (SendMessageA(Control(ids::kChkRunProgram), BM_GETCHECK, 0, 0) == BST_CHECKED) {
    // No folder is given: the program starts in the installer's current one.
    StartAsDesktopUser(session.mainProgramPath, SW_SHOWNORMAL, handle());
  }
  RequestProgramEnd();
}

}  // namespace tidemark
