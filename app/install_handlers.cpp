// The installation run and the Complete page.
#include "app/install.h"

namespace tidemark {

void TfrmInstall::btnGoInstallClick(HWND) {}

void TfrmInstall::btnCompleteClick(HWND) {}

}  // namespace tidemark
