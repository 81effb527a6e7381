// Our controls built on a standard list box or combo box: the standard
// window, a subclass procedure that adds our behaviour, a state object
// attached to the window (and deleted with it), and the control's
// notifications reflected back to it by its parent.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/controls/reflected_notifications.h"
#include "system/common_controls.h"

namespace tidemark {

// Creates a child window of a standard class at `place`, `height` pixels
// high; `style` adds to WS_CHILD.
HWND CreateStandardChild(const char* window_class, HWND parent, int id, const RECT& place,
                         int height, DWORD style, DWORD ex_style);

template <typename State>
class SubclassedControl {
 public:
  constexpr SubclassedControl(const char* property, SUBCLASSPROC procedure)
      : property_(property), procedure_(procedure) {}

  // Attaches `state` and the subclass procedure (which receives the state
  // as its reference data). When Windows refuses, the window is destroyed
  // and false returned.
  bool Attach(HWND control, std::unique_ptr<State> state) const {
    if (!SetPropA(control, property_, state.get()) ||
        !comctl::SetWindowSubclass(control, procedure_, kSubclassId,
                                   reinterpret_cast<DWORD_PTR>(state.get())) ||
        !ReflectNotifications(control)) {
      comctl::RemoveWindowSubclass(control, procedure_, kSubclassId);
      RemovePropA(control, property_);
      DestroyWindow(control);
      return false;
    }
    state.release();  // deleted by Detach, when the window ends
    return true;
  }

  // The state of one of these controls; null for any other window.
  State* Of(HWND control) const {
    return control != nullptr ? static_cast<State*>(GetPropA(control, property_)) : nullptr;
  }

  // Undoes Attach and deletes the state; for WM_NCDESTROY.
  void Detach(HWND control) const {
    State* state = Of(control);
    StopReflectingNotifications(control);
    comctl::RemoveWindowSubclass(control, procedure_, kSubclassId);
    RemovePropA(control, property_);
    delete state;
  }

 private:
  static constexpr UINT_PTR kSubclassId = 1;
  const char* property_;
  SUBCLASSPROC procedure_;
};

}  // namespace tidemark
