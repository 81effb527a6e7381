#include "app/controls/panel_window.h"

#include "app/controls/window_support.h"
#include "system/gdi_handles.h"

namespace tidemark {
namespace {

// The look is kept in the window's extra bytes: background, then edge.
constexpr int kBackgroundSlot = 0;
constexpr int kEdgeSlot = sizeof(LONG_PTR);

PanelLook LookOf(HWND window) {
  PanelLook look;
  look.background = static_cast<PanelBackground>(GetWindowLongPtrA(window, kBackgroundSlot));
  look.edge = static_cast<PanelEdge>(GetWindowLongPtrA(window, kEdgeSlot));
  return look;
}

void PaintPanel(HWND window) {
  PaintScope paint(window);
  const PanelLook look = LookOf(window);
  RECT area;
  GetClientRect(window, &area);
  FillRect(paint.dc(), &area, PanelBrush(look.background));
  switch (look.edge) {
    case PanelEdge::kNone:
      break;
    case PanelEdge::kLoweredBox:
      DrawEdge(paint.dc(), &area, BDR_SUNKENOUTER, BF_RECT);
      break;
    case PanelEdge::kLoweredRule:
      DrawEdge(paint.dc(), &area, BDR_SUNKENOUTER, BF_TOP | BF_BOTTOM);
      break;
    case PanelEdge::kRaisedRule:
      DrawEdge(paint.dc(), &area, BDR_RAISEDINNER, BF_TOP | BF_BOTTOM);
      break;
  }
}

bool IsChildNotification(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_COMPAREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK PanelProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills everything
    case WM_PAINT:
      PaintPanel(window);
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return ColourStaticChild(reinterpret_cast<HDC>(wparam),
                               PanelBrush(LookOf(window).background));
    default:
      break;
  }
  if (IsChildNotification(message)) {
    const HWND root = GetAncestor(window, GA_ROOT);
    if (root != nullptr && root != window) return SendMessageA(root, message, wparam, lparam);
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

bool RegisterPanelClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, kPanelClass, PanelProc, 2 * sizeof(LONG_PTR));
}

HWND CreatePanel(HWND parent, int id, const RECT& place, PanelLook look, DWORD style,
                 DWORD ex_style) {
  HWND panel = CreateWindowExA(
      ex_style, kPanelClass, "", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | style, place.left,
      place.top, place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)), nullptr);
  if (panel != nullptr) {
    SetWindowLongPtrA(panel, kBackgroundSlot, static_cast<LONG_PTR>(look.background));
    SetWindowLongPtrA(panel, kEdgeSlot, static_cast<LONG_PTR>(look.edge));
  }
  return panel;
}

HBRUSH PanelBrush(PanelBackground background) {
  return background == PanelBackground::kBlack ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH))
                                               : GetSysColorBrush(COLOR_BTNFACE);
}

LRESULT ColourStaticChild(HDC dc, HBRUSH brush) {
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(brush);
}

}  // namespace tidemark
