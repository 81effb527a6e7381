// Unpacking the installation: every file item, in container order, into the
// install folder, and the uninstaller beside them.
#pragma once

#include <cstdint>

namespace tidemark {

class TfrmInstall;

// Installs file items 1 to `count` from the window's executable image into
// its install folder, logging each path before the file is written and
// letting the window handle its pending messages once per file. Returns
// false when the installation had to be aborted: a name that would leave
// the install folder, or a file missing after it was written; the box
// "Could not install file - aborting installation" has then been shown and
// the end of the program requested. Errors of the item itself (a damaged
// item, a file that cannot be created, a size that is not a number) are
// raised.
bool InstallFileItems(TfrmInstall& form, int32_t count);


// Logs and writes InstallFolder\uninstall.exe: the first PayloadStart bytes
// of the executable as stored on disk (a scrambled container stays
// scrambled), read afresh into the window's executable image. The install
// folder is created first, since a product without file items never made
// it. A file that cannot be written passes in silence; an executable that
// cannot be read again raises its error.
void WriteUninstaller(TfrmInstall& form);

}  // namespace tidemark
