// The install folder choice on the Folder page.
#include "app/install.h"

namespace tidemark {

// Start-up: the proposed install folder from TargetFolder. Errors are
// ignored by the caller.
void TfrmInstall::ProposeInstallFolder() {}

void TfrmInstall::btnChooseClick(HWND) {}

void TfrmInstall::DirectoryListBox1Change(HWND) {}

void TfrmInstall::edtFolderChange(HWND) {}

}  // namespace tidemark
