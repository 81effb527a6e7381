#include "system/screen_dpi.h"

namespace tidemark {
namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using DpiForSystem = UINT(WINAPI*)();
using AdjustForDpi = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);

void* User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleA("user32.dll");  // always loaded by a window's process
  return user32 != nullptr ? reinterpret_cast<void*>(GetProcAddress(user32, name)) : nullptr;
}

int ScreenDpi() {
  static const DpiForSystem for_system =
      reinterpret_cast<DpiForSystem>(User32Function("GetDpiForSystem"));
  if (for_system != nullptr) {
    const UINT dpi = for_system();
    if (dpi != 0) return static_cast<int>(dpi);
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
  if (screen != nullptr) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  static const DpiForWindow for_window =
      reinterpret_cast<DpiForWindow>(User32Function("GetDpiForWindow"));
  if (window != nullptr && for_window != nullptr) {
    const UINT dpi = for_window(window);
    if (dpi != 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

RECT FrameForClient(int width, int height, DWORD style, DWORD ex_style, int dpi) {
  static const AdjustForDpi adjust_for_dpi =
      reinterpret_cast<AdjustForDpi>(User32Function("AdjustWindowRectExForDpi"));
  RECT frame = {0, 0, width, height};
  if (adjust_for_dpi == nullptr ||
      !adjust_for_dpi(&frame, style, FALSE, ex_style, static_cast<UINT>(dpi))) {
    frame = RECT{0, 0, width, height};
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);  // the system's DPI
  }
  OffsetRect(&frame, -frame.left, -frame.top);
  return frame;
}

}  // namespace tidemark
