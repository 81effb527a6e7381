// Mouse clicks and typing, delivered to the installer's controls as the
// messages a real click or key press produces. They are posted, not sent, so
// that a handler which opens a modal box does not block the driver.
#pragma once

#include <windows.h>

#include <string>

namespace tidemark::e2e {

// A left click at the centre of `control`: pointer move, button down and
// button up. Raises std::runtime_error when a message cannot be posted.
void ClickCentre(HWND control);

// One WM_CHAR per character of `text`, in order.
void TypeCharacters(HWND control, const std::string& text);

// A key pressed and released on `control`: WM_KEYDOWN and WM_KEYUP with the
// key's scan code; the installer's own message loop makes the characters.
void PressKey(HWND control, UINT virtual_key);

// A pick of item `index` in a drop-down list, as the combo box reports a
// pick with the mouse: the selection, then CBN_SELCHANGE to its parent.
void ChooseComboItem(HWND combo, int index);

// A double click on item `index` of a list box, which is first scrolled
// into view: button down, up, double click and up at the item's centre.
void DoubleClickListItem(HWND list, int index);

}  // namespace tidemark::e2e
