// The installation run and the Complete page.
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/controls/message_box.h"
#include "app/controls/progress_meter.h"
#include "app/steps/install_sequence.h"
#include "app/window/install.h"
#include "container/control_keys.h"
#include "system/unelevated_start.h"

namespace tidemark {
namespace {

// The installation as the Installing page shows it, its boxes owned by the
// window.
class PageInstallReport : public InstallReport {
 public:
  explicit PageInstallReport(TfrmInstall& form) : form_(form) {}

  BoxButton Message(BoxKind kind, const std::string& text,
                    std::vector<BoxButton> buttons) override {
    return ShowMessage(form_.handle(), kind, text, std::move(buttons));
  }
  void InstallingTo(const std::string&) override {}
  void FilesBegin(const ControlInfo& control_info) override {
    ResetProgressMeter(meter(), control_info.IntValue(keys::kFilebytes));
    form_.ShowPage(ids::kTabInstalling);
    paced_.emplace(form_.handle(), meter(), form_.Control(ids::kLabInstallingFile));
  }
  void Announce(const std::string& text) override { paced_->Announce(text); }
  ProgressFn Advance() override { return paced_->Advance(); }
  void Paint() override { paced_->Paint(); }
  void Show() override { paced_->Show(); }
  void FilesEnd() override { paced_.reset(); }  // paints what is pending as it goes
  ProgressFn UninstallerProgress() override { return AdvanceProgressMeter(meter()); }

 private:
  HWND meter() const { return form_.Control(ids::kMtrProgress); }

  TfrmInstall& form_;
  std::optional<PacedProgress> paced_;
};

}  // namespace

// The install folder is the one the folder line shows (edtFolderChange).
void TfrmInstall::btnGoInstallClick(HWND) {
  PageInstallReport report(*this);
  const InstallOutcome outcome = RunInstallation(session.installer, session.folders, session.target,
                                                 session.install_log, report);
  switch (outcome) {
    case InstallOutcome::kAborted:
      RequestProgramEnd();
      return;
    case InstallOutcome::kNotRegistered:
      // On purpose: an uninstall entry that cannot be written passes in
      // silence; an installation without the rights to register is complete.
    case InstallOutcome::kInstalled:
      // An exit asked for during the run ends the program once the run is
      // complete, without the Complete page.
      if (!end_requested()) ShowPage(ids::kTabInstalled);
      return;
    case InstallOutcome::kDamaged:
    case InstallOutcome::kNoFolder:
    case InstallOutcome::kDeclined:
      return;  // reported; the Folder page stays
  }
}

void TfrmInstall::btnCompleteClick(HWND) {
  session.installer.exe_file.Close();
  if (SendMessageA(Control(ids::kChkRunProgram), BM_GETCHECK, 0, 0) == BST_CHECKED) {
    // On purpose: no folder is given, so the program starts in the
    // installer's current one.
    StartAsDesktopUser(session.target.main_program_path, SW_SHOWNORMAL, handle());
  }
  RequestProgramEnd();
}

}  // namespace tidemark
