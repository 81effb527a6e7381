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

}  // namespace tidemark::e2e
