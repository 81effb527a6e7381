// Flat buttons: no frame at rest, a raised frame while the pointer is over
// them, sunken while pressed. A button shows either one image of an image
// list, centred, or (without an image) its window text. An image button's
// window text is its hint, so that tools that read window texts can name it.
//
// The buttons never take the keyboard focus and have no default or cancel
// role: only the mouse (or BM_CLICK) presses them. A click sends
// WM_COMMAND / BN_CLICKED to the parent, as a push button does.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace tidemark {

inline constexpr char kFlatButtonClass[] = "TidemarkFlatButton";

bool RegisterFlatButtonClass(HINSTANCE instance);

// Shows image `index` of `images` (which must outlive the button).
void SetFlatButtonImage(HWND button, HIMAGELIST images, int index);

// The image shown, -1 when the button shows its text.
int FlatButtonImage(HWND button);

// Adds the button to `tooltip` with its window text as the tip.
void AddButtonTooltip(HWND tooltip, HWND button);

// A tooltip window for the buttons of `owner`; the tips show whether or not
// the window is active, and "&" stands for itself.
HWND CreateButtonTooltip(HWND owner);

}  // namespace tidemark
