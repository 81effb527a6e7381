#include "app/controls/flat_button.h"

#include <windowsx.h>

#include <string>

#include "app/controls/window_state.h"
#include "app/controls/window_support.h"
#include "system/common_controls.h"
#include "system/gdi_handles.h"

namespace tidemark {
namespace {

struct FlatButtonState {
  HIMAGELIST images = nullptr;
  int image = -1;
  bool hot = false;       // the pointer is over the button
  bool pressed = false;   // the left button went down on it and is held
  bool tracking = false;  // a WM_MOUSELEAVE has been asked for
  HFONT font = nullptr;   // owned by the window that set it
};

void DrawContent(HWND window, HDC dc, const FlatButtonState& state, RECT area) {
  const bool enabled = IsWindowEnabled(window) != FALSE;
  if (state.pressed && state.hot) OffsetRect(&area, 1, 1);
  if (state.images != nullptr && state.image >= 0) {
    int width = 0, height = 0;
    comctl::ImageList_GetIconSize(state.images, &width, &height);
    IMAGELISTDRAWPARAMS params = {};
    params.cbSize = sizeof(params);
    params.himl = state.images;
    params.i = state.image;
    params.hdcDst = dc;
    params.x = area.left + (area.right - area.left - width) / 2;
    params.y = area.top + (area.bottom - area.top - height) / 2;
    params.rgbBk = CLR_NONE;
    params.rgbFg = CLR_NONE;
    params.fStyle = ILD_TRANSPARENT;
    params.fState = enabled ? ILS_NORMAL : ILS_SATURATE;
    comctl::ImageList_DrawIndirect(&params);
    return;
  }
  const std::string text = WindowText(window);
  SelectScope font(dc, state.font != nullptr ? static_cast<HGDIOBJ>(state.font)
                                             : GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &area,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void PaintButton(HWND window, const FlatButtonState& state) {
  PaintScope paint(window);
  RECT area;
  GetClientRect(window, &area);
  FillRect(paint.dc(), &area, GetSysColorBrush(COLOR_BTNFACE));
  if (IsWindowEnabled(window)) {
    if (state.pressed && state.hot) {
      DrawEdge(paint.dc(), &area, BDR_SUNKENOUTER, BF_RECT);
    } else if (state.hot || state.pressed) {
      DrawEdge(paint.dc(), &area, BDR_RAISEDINNER, BF_RECT);
    }
  }
  DrawContent(window, paint.dc(), state, area);
}

bool CursorOver(HWND window) {
  POINT cursor;
  if (!GetCursorPos(&cursor) || WindowFromPoint(cursor) != window) return false;
  return true;
}

void Click(HWND window) {
  const HWND parent = GetParent(window);
  const int id = GetDlgCtrlID(window);
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window));
  // The handler may have shown a box or another page meanwhile: the button
  // stays raised only if the pointer is still over it.
  if (IsWindow(window)) {
    FlatButtonState* state = GetWindowState<FlatButtonState>(window);
    if (state != nullptr && state->hot && !CursorOver(window)) {
      state->hot = false;
      InvalidateRect(window, nullptr, FALSE);
    }
  }
}

bool PointInside(HWND window, LPARAM lparam) {
  RECT area;
  GetClientRect(window, &area);
  const POINT point = {GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  return PtInRect(&area, point) != FALSE;
}

void SetHot(HWND window, FlatButtonState& state, bool hot) {
  if (state.hot == hot) return;
  state.hot = hot;
  InvalidateRect(window, nullptr, FALSE);
}

void OnMouseMove(HWND window, FlatButtonState& state, LPARAM lparam) {
  if (!state.tracking) {
    TRACKMOUSEEVENT track = {};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = window;
    state.tracking = TrackMouseEvent(&track) != FALSE;
  }
  SetHot(window, state, PointInside(window, lparam));
}

LRESULT CALLBACK FlatButtonProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  FlatButtonState* state = TrackWindowState<FlatButtonState>(window, message);
  if (state == nullptr) return DefWindowProcA(window, message, wparam, lparam);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      PaintButton(window, *state);
      return 0;
    case WM_GETDLGCODE:
      return DLGC_STATIC;  // never a default or cancel button, never a Tab stop
    case WM_MOUSEACTIVATE:
      return MA_ACTIVATE;  // activates the window but leaves the focus where it is
    case WM_MOUSEMOVE:
      OnMouseMove(window, *state, lparam);
      return 0;
    case WM_MOUSELEAVE:
      state->tracking = false;
      SetHot(window, *state, false);
      return 0;
    case WM_LBUTTONDOWN:
      state->pressed = true;
      state->hot = true;
      SetCapture(window);
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_LBUTTONUP: {
      const bool was_pressed = state->pressed;
      state->pressed = false;
      if (GetCapture() == window) ReleaseCapture();
      InvalidateRect(window, nullptr, FALSE);
      if (was_pressed && PointInside(window, lparam)) Click(window);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (state->pressed) {
        state->pressed = false;
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case BM_CLICK:
      if (IsWindowEnabled(window) && IsWindowVisible(window)) Click(window);
      return 0;
    case WM_ENABLE:
      if (!wparam) state->hot = state->pressed = false;
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(window, message, wparam, lparam);
      InvalidateRect(window, nullptr, FALSE);
      return result;
    }
    case WM_SETFONT:
      state->font = reinterpret_cast<HFONT>(wparam);
      if (lparam) InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(state->font);
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

bool RegisterFlatButtonClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, kFlatButtonClass, FlatButtonProc);
}

void SetFlatButtonImage(HWND button, HIMAGELIST images, int index) {
  FlatButtonState* state = GetWindowState<FlatButtonState>(button);
  if (state == nullptr) return;
  state->images = images;
  state->image = index;
  InvalidateRect(button, nullptr, FALSE);
}

int FlatButtonImage(HWND button) {
  const FlatButtonState* state = GetWindowState<FlatButtonState>(button);
  return state == nullptr ? -1 : state->image;
}

HWND CreateButtonTooltip(HWND owner) {
  HWND tooltip = CreateWindowExA(
      WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
      CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(owner, GWLP_HINSTANCE)), nullptr);
  return tooltip;
}

void AddButtonTooltip(HWND tooltip, HWND button) {
  std::string hint = WindowText(button);
  TOOLINFOA tool = {};
  tool.cbSize = sizeof(tool);
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = GetParent(button);
  tool.uId = reinterpret_cast<UINT_PTR>(button);
  tool.lpszText = hint.data();  // the tooltip keeps its own copy
  SendMessageA(tooltip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace tidemark
