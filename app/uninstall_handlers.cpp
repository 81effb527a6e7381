// Uninstall mode and the uninstall run.
#include "app/install.h"

namespace tidemark {

// The last step of start-up. In install mode the head items have all been
// read, so the read position is the first file item.
void TfrmInstall::TestUninstallMode() { payloadStart = exeImage.Position(); }

void TfrmInstall::btnUninstallClick(HWND) {}

void TfrmInstall::btnUninstallExitClick(HWND) {}

}  // namespace tidemark
