// The uninstaller left in the install folder: the installer's own file cut
// short before the first file item.
#pragma once

namespace tidemark {

class TfrmInstall;

// Logs and writes InstallFolder\uninstall.exe: the first PayloadStart bytes
// of the executable as stored on disk (a scrambled container stays
// scrambled), read afresh into the window's executable image. The install
// folder is created first, since a product without file items never made
// it. A file that cannot be written passes in silence; an executable that
// cannot be read again raises its error.
void WriteUninstaller(TfrmInstall& form);

}  // namespace tidemark
