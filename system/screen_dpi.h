// The pixels per inch a window is drawn at. Windows 10 (1607 and later)
// tells each window its monitor's DPI; older systems have one DPI for the
// whole screen. The newer functions are looked up at run time, so that the
// stub still starts where they are missing.
#pragma once

#include <windows.h>

namespace tidemark {

// The resolution every size of the window is designed for.
inline constexpr int kDesignDpi = 96;

// WM_DPICHANGED, to a top-level window moved to a monitor of another DPI
// (wparam: the new DPI twice; lparam: the suggested window rectangle), and
// WM_DPICHANGED_AFTERPARENT, to each child once its parent has answered.
// Newer than the headers' default Windows version.
inline constexpr UINT kDpiChangedMessage = 0x02E0;
inline constexpr UINT kDpiChangedAfterParent = 0x02E3;

// The DPI of `window`'s monitor; the system's DPI when the system cannot
// tell one window's DPI, or `window` is null.
int WindowDpi(HWND window);

// The outer rectangle, at the origin, of a window with this style whose
// client area is `width` x `height`, with the frame's metrics at `dpi`.
RECT FrameForClient(int width, int height, DWORD style, DWORD ex_style, int dpi);

// `pixels` at the design resolution, in pixels at `dpi`; rounded to the
// nearest pixel, halves away from zero, so that 96 DPI keeps every value.
inline int ScaleToDpi(int pixels, int dpi) { return MulDiv(pixels, dpi, kDesignDpi); }

}  // namespace tidemark
