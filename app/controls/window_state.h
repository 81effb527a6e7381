// Attaching a C++ object to a window of one of our own window classes: the
// object is created with the window (WM_NCCREATE) and deleted with it
// (WM_NCDESTROY), so that its lifetime can never outlast the window.
#pragma once

#include <windows.h>

namespace tidemark {

template <typename State>
State* GetWindowState(HWND window) {
  return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// Call first in the window procedure. Creates the state on WM_NCCREATE and
// deletes it on WM_NCDESTROY; returns the state (null before creation and
// after destruction).
template <typename State>
State* TrackWindowState(HWND window, UINT message) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new State()));
  } else if (message == WM_NCDESTROY) {
    delete GetWindowState<State>(window);
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return nullptr;
  }
  return GetWindowState<State>(window);
}

}  // namespace tidemark
