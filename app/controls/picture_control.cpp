#include "app/controls/picture_control.h"

#include <algorithm>

#include "app/controls/dib_image.h"
#include "app/controls/window_state.h"
#include "app/controls/window_support.h"
#include "system/gdi_handles.h"
#include "system/screen_dpi.h"

namespace tidemark {
namespace {

struct PictureState {
  DibImage image;
};

// The size an image is drawn at when it is not stretched: its own pixels
// at 96 DPI, scaled with the window's DPI.
SIZE DrawnSize(HWND window, const DibImage& image) {
  const int dpi = WindowDpi(window);
  return SIZE{ScaleToDpi(image.width(), dpi), ScaleToDpi(image.height(), dpi)};
}

void StretchImage(HDC dc, int width, int height, const DibImage& image) {
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchDIBits(dc, 0, 0, width, height, 0, 0, image.width(), image.height(), image.bits.data(),
                image.info(), DIB_RGB_COLORS, SRCCOPY);
}

void DrawImage(HWND window, HDC dc, const DibImage& image) {
  RECT area;
  GetClientRect(window, &area);
  const bool stretch = (GetWindowLongPtrA(window, GWL_STYLE) & kPictureStretch) != 0;
  if (stretch) {
    StretchImage(dc, area.right, area.bottom, image);
    return;
  }
  const SIZE drawn = DrawnSize(window, image);
  if (drawn.cx != image.width() || drawn.cy != image.height()) {
    StretchImage(dc, drawn.cx, drawn.cy, image);  // the window clips what lies beyond it
    return;
  }
  // The top-left part of a bottom-up bitmap starts `height - shown` rows
  // above its first stored row.
  const int shown_width = std::min<int>(image.width(), area.right);
  const int shown_height = std::min<int>(image.height(), area.bottom);
  SetDIBitsToDevice(dc, 0, 0, shown_width, shown_height, 0, image.height() - shown_height, 0,
                    image.height(), image.bits.data(), image.info(), DIB_RGB_COLORS);
}

void PaintPicture(HWND window, HDC dc, const PictureState& state) {
  RECT area;
  GetClientRect(window, &area);
  const bool black = (GetWindowLongPtrA(window, GWL_STYLE) & kPictureBlackBackground) != 0;
  const HBRUSH background =
      black ? static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)) : GetSysColorBrush(COLOR_BTNFACE);
  if (state.image.empty()) {
    FillRect(dc, &area, background);
    return;
  }
  // Fill only what the image leaves uncovered, so that nothing flickers.
  const bool stretch = (GetWindowLongPtrA(window, GWL_STYLE) & kPictureStretch) != 0;
  if (!stretch) {
    const SIZE drawn = DrawnSize(window, state.image);
    RECT right = {drawn.cx, 0, area.right, area.bottom};
    RECT below = {0, drawn.cy, area.right, area.bottom};
    if (right.left < right.right) FillRect(dc, &right, background);
    if (below.top < below.bottom) FillRect(dc, &below, background);
  }
  DrawImage(window, dc, state.image);
}

LRESULT CALLBACK PictureProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  PictureState* state = TrackWindowState<PictureState>(window, message);
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (state != nullptr) {
        PaintScope paint(window);
        PaintPicture(window, paint.dc(), *state);
        return 0;
      }
      break;
    case WM_PRINTCLIENT:
      if (state != nullptr) {
        PaintPicture(window, reinterpret_cast<HDC>(wparam), *state);
        return 0;
      }
      break;
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // a picture never reacts to the mouse
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

bool RegisterPictureClass(HINSTANCE instance) {
  return RegisterWindowClass(instance, kPictureClass, PictureProc);
}

void SetPictureImage(HWND picture, const RgbImage& image) {
  PictureState* state = GetWindowState<PictureState>(picture);
  if (state == nullptr) return;
  state->image = MakeDib(image);
  InvalidateRect(picture, nullptr, FALSE);
}

bool PictureHasImage(HWND picture) {
  const PictureState* state = GetWindowState<PictureState>(picture);
  return state != nullptr && !state->image.empty();
}

SIZE PictureImageSize(HWND picture) {
  const PictureState* state = GetWindowState<PictureState>(picture);
  if (state == nullptr || state->image.empty()) return SIZE{0, 0};
  return SIZE{state->image.width(), state->image.height()};
}

}  // namespace tidemark
