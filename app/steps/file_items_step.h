// Unpacking the installation: every file item, in container order, into the
// install folder, and the uninstaller beside them.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/steps/session.h"

namespace tidemark {

// Where the unpacking shows itself: the window that owns its boxes and
// whose messages are handled once per file, the progress meter and the
// label that names the file.
struct InstallDisplay {
  HWND owner;
  HWND meter;
  HWND file_label;
};

// Installs file items 1 to `count` from the session's executable image into
// its install folder, logging each path before the file is written. Returns
// false when the installation had to be aborted: a name that would leave
// the install folder, or a file missing after it was written; the box
// "Could not install file - aborting installation" has then been shown, and
// the caller ends the program. Errors of the item itself (a damaged item, a
// file that cannot be created, a size that is not a number) are raised.
bool InstallFileItems(Session& session, int32_t count, const InstallDisplay& display);

// Logs and writes InstallFolder\uninstall.exe: the first PayloadStart bytes
// of the executable as stored on disk (a scrambled container stays
// scrambled), read afresh into the session's executable image. The install
// folder is created first, since a product without file items never made
// it. A file that cannot be written passes in silence; an executable that
// cannot be read again raises its error. The meter grows by the bytes
// written.
void WriteUninstaller(Session& session, HWND meter);

}  // namespace tidemark
