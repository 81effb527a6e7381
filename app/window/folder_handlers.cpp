// The install folder choice on the Folder page: the proposal at start-up,
// the Choose panel, and the install folder line built from FolderBase and
// the name field.
#include "app/controls/directory_list.h"
#include "app/steps/startup.h"
#include "app/window/install.h"
#include "rules/folder_proposal.h"
#include "system/path.h"

namespace tidemark {

// Start-up: the proposed install folder from TargetFolder. A folder base
// that cannot be entered raises, which leaves the name field and the line
// empty; the caller ignores every error of this step.
void TfrmInstall::ProposeInstallFolder() {
  const FolderProposal proposal = tidemark::ProposeInstallFolder(
      session.installer.control_info, session.folders, [this](const std::string& folder_base) {
        MoveDirectoryList(Control(ids::kDirectoryListBox1), folder_base);
      });
  // On purpose: the field starts empty, and setting an equal text must
  // raise no change event, which an edit control would raise.
  if (ControlText(ids::kEdtFolder) != proposal.name) SetControlText(ids::kEdtFolder, proposal.name);
}

// The panel lies above the button and its frame; once shown it stays.
void TfrmInstall::btnChooseClick(HWND) { ShowWindow(Control(ids::kPanChoose), SW_SHOW); }

void TfrmInstall::DirectoryListBox1Change(HWND sender) {
  // On purpose: the list moves at start-up too, behind the hidden panel;
  // only a move the user can see changes the folder base.
  const LONG_PTR panel_style = GetWindowLongPtrA(Control(ids::kPanChoose), GWL_STYLE);
  if ((panel_style & WS_VISIBLE) == 0) return;
  session.folders.folder_base = DirectoryListFolder(sender);
  edtFolderChange(sender);
}

// The install folder line follows every change of the name field or the
// folder base; the session keeps what it shows.
void TfrmInstall::edtFolderChange(HWND) {
  session.target.install_folder =
      InstallFolderLine(session.folders.folder_base, ControlText(ids::kEdtFolder), IsAnsiLeadByte);
  SetControlText(ids::kLabInstallTo, session.target.install_folder);
}

}  // namespace tidemark
