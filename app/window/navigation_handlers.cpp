// Moving forward through the first pages, and leaving the program.
#include "app/controls/message_box.h"
#include "app/window/install.h"

namespace tidemark {

void TfrmInstall::btnShowLicenseClick(HWND) { ShowPage(ids::kTabLicense); }

void TfrmInstall::btnAcceptClick(HWND) { ShowPage(ids::kTabFolder); }

// Every exit button of the installation pages asks first; any answer but
// Yes leaves everything as it was.
void TfrmInstall::btnExitClick(HWND) {
  if (ShowMessage(handle(), BoxKind::kConfirmation, "Exit Installer ?",
                  {BoxButton::kYes, BoxButton::kNo}) == BoxButton::kYes) {
    RequestProgramEnd();
  }
}

// The exit button of the Uninstall page ends the program without a question.
void TfrmInstall::btnCancelClick(HWND) { RequestProgramEnd(); }

}  // namespace tidemark
