// Creating the window's controls from the layout table.
#pragma once

#include <windows.h>

#include <map>

#include "resources/layout.h"

namespace tidemark {

// Registers the window classes of our own controls (panels, pictures, flat
// buttons) and the common controls that the layout uses.
bool RegisterControlClasses(HINSTANCE instance);

// Creates one control as a child of `parent`, with its identifier, place,
// size, text and initial state; null when Windows refused it.
HWND CreateLayoutControl(HWND parent, const layout::ControlSpec& spec);

// Creates every control of the table under `window`, parents first; returns
// them by identifier. A control whose parent could not be created is left
// out.
std::map<int, HWND> CreateLayoutControls(HWND window);

}  // namespace tidemark
