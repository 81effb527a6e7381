#include "app/controls/reflected_notifications.h"

#include <commctrl.h>

#include "system/common_controls.h"

namespace tidemark {
namespace {

// The control that sent a notification, or null for other messages.
HWND NotifyingControl(UINT message, LPARAM lparam, HWND candidate) {
  switch (message) {
    case WM_COMMAND:
      return reinterpret_cast<HWND>(lparam);
    case WM_DRAWITEM:
      return reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)->hwndItem;
    case WM_MEASUREITEM:
      // The measure request names the control only by its identifier.
      return static_cast<int>(reinterpret_cast<const MEASUREITEMSTRUCT*>(lparam)->CtlID) ==
                     GetDlgCtrlID(candidate)
                 ? candidate
                 : nullptr;
    default:
      return nullptr;
  }
}

LRESULT CALLBACK ReflectingProc(HWND parent, UINT message, WPARAM wparam, LPARAM lparam,
                                UINT_PTR subclass, DWORD_PTR control_data) {
  const HWND control = reinterpret_cast<HWND>(control_data);
  if (message == WM_NCDESTROY) {
    comctl::RemoveWindowSubclass(parent, ReflectingProc, subclass);
  } else if (control != nullptr && NotifyingControl(message, lparam, control) == control &&
             SendMessageA(control, kReflected + message, wparam, lparam) != 0) {
    // A processed WM_COMMAND answers 0; the owner-draw messages answer TRUE.
    return message == WM_COMMAND ? 0 : TRUE;
  }
  return comctl::DefSubclassProc(parent, message, wparam, lparam);
}

}  // namespace

bool ReflectNotifications(HWND control) {
  HWND parent = GetParent(control);
  return parent != nullptr &&
         comctl::SetWindowSubclass(parent, ReflectingProc, reinterpret_cast<UINT_PTR>(control),
                                   reinterpret_cast<DWORD_PTR>(control)) != FALSE;
}

void StopReflectingNotifications(HWND control) {
  HWND parent = GetParent(control);
  if (parent != nullptr) {
    comctl::RemoveWindowSubclass(parent, ReflectingProc, reinterpret_cast<UINT_PTR>(control));
  }
}

}  // namespace tidemark
