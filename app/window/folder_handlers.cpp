// The install folder choice on the Folder page: the proposal at start-up,
// the Choose panel, and the install folder line built from FolderBase and
// the name field.
#include "app/controls/directory_list.h"
#include "app/window/install.h"
#include "rules/folder_proposal.h"
#include "system/path.h"

namespace tidemark {

// Start-up: the proposed install folder from TargetFolder. A folder base
// that cannot be entered raises, which leaves the name field and the line
// empty; the caller ignores every error of this step.
void TfrmInstall::ProposeInstallFolder() {
  const FolderProposal proposal = ProposeFolder(session.controlInfo.Value("TargetFolder"),
                                                session.programFilesFolder, IsAnsiLeadByte);
  session.folderBase = proposal.folder_base;
  MoveDirectoryList(Control(ids::kDirectoryListBox1), session.folderBase);
  // The field starts empty; setting an equal text must raise no change
  // event, and an edit control would raise one.
  if (ControlText(ids::kEdtFolder) != proposal.name) SetControlText(ids::kEdtFolder, proposal.name);
}

// The panel lies above the button and its frame; once shown it stays.
void TfrmInstall::btnChooseClick(HWND) { ShowWindow(Control(ids::kPanChoose), SW_SHOW); }

void TfrmInstall::DirectoryListBox1Change(HWND sender) {
  const LONG_PTR panel_style = GetWindowLongPtrA(Control(ids::kPanChoose), GWL_STYLE);
  if ((panel_style & WS_VISIBLE) == 0) return;
  session.folderBase = DirectoryListFolder(sender);
  edtFolderChange(sender);
}

void TfrmInstall::edtFolderChange(HWND) {
  SetControlText(
      ids::kLabInstallTo,
      InstallFolderLine(session.folderBase, ControlText(ids::kEdtFolder), IsAnsiLeadByte));
}

}  // namespace tidemark
