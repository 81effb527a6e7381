#include "tests/e2e/driver/screen_capture.h"

#include <stdexcept>

#include "system/gdi_handles.h"

namespace tidemark::e2e {
namespace {

// DCs from CreateCompatibleDC; the other owners come from the window's own.
using MemoryDc = UniqueResource<NullInvalidTraits<HDC, &DeleteDC>>;

RECT ScreenRect() { return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}; }

}  // namespace

RECT AreaOf(const std::vector<HWND>& windows) {
  const RECT screen = ScreenRect();
  if (windows.empty()) return screen;
  RECT area = {};
  for (HWND window : windows) {
    RECT rect = {};
    if (!GetClientRect(window, &rect)) continue;
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    UnionRect(&area, &area, &rect);
  }
  RECT clipped = {};
  if (!IntersectRect(&clipped, &area, &screen)) return screen;
  return clipped;
}

RgbImage CaptureScreen(const RECT& area) {
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) throw std::runtime_error("nothing to capture");

  WindowDc screen(nullptr);
  MemoryDc memory(CreateCompatibleDC(screen.get()));
  BITMAPINFO info = {};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // rows top to bottom
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  UniqueBitmap bitmap(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!screen.get() || !memory || !bitmap || !bits)
    throw std::runtime_error("cannot prepare a screen copy");
  {
    SelectScope selected(memory.get(), bitmap.get());
    if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY)) {
      throw std::runtime_error("cannot copy the screen");
    }
    GdiFlush();
  }

  RgbImage image;
  image.width = width;
  image.height = height;
  image.pixels.resize(size_t(width) * height * 3);
  const auto* bgrx = static_cast<const uint8_t*>(bits);
  for (size_t i = 0, n = size_t(width) * height; i < n; ++i) {
    image.pixels[i * 3 + 0] = bgrx[i * 4 + 2];
    image.pixels[i * 3 + 1] = bgrx[i * 4 + 1];
    image.pixels[i * 3 + 2] = bgrx[i * 4 + 0];
  }
  return image;
}

}  // namespace tidemark::e2e
