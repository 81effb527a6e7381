// Small helpers shared by the window classes of the installer window.
#pragma once

#include <windows.h>

#include <string>

namespace tidemark {

// Registers a window class of this program with an arrow cursor; true also
// when it was registered before. `background` may be null (the class
// paints everything itself).
bool RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure,
                         int extra_bytes = 0, HBRUSH background = nullptr);

// The window's text ("A" form); empty for a null window.
std::string WindowText(HWND window);

}  // namespace tidemark
