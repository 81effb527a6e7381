// Our owner-drawn controls answer their own notifications. Windows sends
// WM_COMMAND, WM_DRAWITEM and WM_MEASUREITEM to a control's parent; for a
// control that asks for it, the parent sends them back to the control as
// kReflected + the message, with the same parameters. When the control
// answers nonzero it has taken the notification; otherwise the parent goes
// on as usual (a panel passes it on to the window, which binds the handlers).
#pragma once

#include <windows.h>

namespace tidemark {

inline constexpr UINT kReflected = WM_APP + 0x0200;

// Makes `control`'s current parent reflect the control's notifications,
// until StopReflectingNotifications or the end of either window.
bool ReflectNotifications(HWND control);
void StopReflectingNotifications(HWND control);

}  // namespace tidemark
