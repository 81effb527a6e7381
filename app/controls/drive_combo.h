// The drive selector: a drop-down list of the drives present, in letter
// order, each as its letter and a colon with an icon for its kind. Bound to
// a directory list, choosing a drive moves the list to that drive's current
// directory, and every move of the list shows the list's drive here. A drive
// that cannot be entered is shown by the default error report, with the
// chosen drive still shown; the list stays where it was, and once the report
// is closed the selector shows the list's drive again.
#pragma once

#include <windows.h>

namespace tidemark {

// Creates the selector showing the drive of the process's current
// directory. `place` is its closed size; `style` adds to WS_CHILD. Null when
// Windows refused the window.
HWND CreateDriveCombo(HWND parent, int id, const RECT& place, DWORD style);

// Moves the selector to `place` (its closed size) at the DPI it is on now,
// with its drop-down list and items sized for that DPI.
void PlaceDriveCombo(HWND combo, const RECT& place);

// Binds the selector and the directory list to each other.
void BindDriveCombo(HWND drive_combo, HWND directory_list);

// Brings a drop-down list's closed box to `height`; a new font resets it.
void FitClosedHeight(HWND combo, int height);

}  // namespace tidemark
