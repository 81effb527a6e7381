// The application's own window. It is what the taskbar and Alt+Tab show:
// the title "Installer" and the program's icon, while the installer window
// it owns keeps its own title. It is never seen otherwise (no size), hands
// activation on to the window it owns, and ignores a request to close it:
// the wizard's own buttons end the program.
#pragma once

#include <windows.h>

#include "system/gdi_handles.h"

namespace tidemark {

// Registers the window class; false when that fails.
bool RegisterApplicationClass(HINSTANCE instance);

// Creates the window and shows it without activating it; an empty owner
// when it cannot be made (the installer window then stands alone).
UniqueWindow CreateApplicationWindow(HINSTANCE instance);

}  // namespace tidemark
