#include "tests/e2e/driver/file_resources.h"

#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

namespace tidemark::e2e {
namespace {

struct IconDeleter {
  void operator()(HICON icon) const { DestroyIcon(icon); }
};
struct BitmapDeleter {
  void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
};
using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

class ScreenDc {
 public:
  ScreenDc() : dc_(GetDC(nullptr)) {}
  ~ScreenDc() { ReleaseDC(nullptr, dc_); }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

}  // namespace

std::optional<std::string> ReadVersionText(const std::string& path, const std::string& name) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return std::nullopt;
  std::vector<char> info(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, info.data())) return std::nullopt;
  void* value = nullptr;
  UINT length = 0;
  if (name == "fixed") {
    if (!VerQueryValueA(info.data(), "\\", &value, &length) || length < sizeof(VS_FIXEDFILEINFO)) {
      return std::nullopt;
    }
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(value);
    return std::to_string(HIWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionMS)) + "." +
           std::to_string(HIWORD(fixed->dwFileVersionLS)) + "." +
           std::to_string(LOWORD(fixed->dwFileVersionLS));
  }
  const std::string query = "\\StringFileInfo\\040904B0\\" + name;
  if (!VerQueryValueA(info.data(), query.c_str(), &value, &length) || value == nullptr)
    return std::nullopt;
  return std::string(static_cast<const char*>(value));
}

std::optional<std::string> ReadIconCorner(const std::string& path) {
  HICON large = nullptr;
  if (ExtractIconExA(path.c_str(), 0, &large, nullptr, 1) == 0 || large == nullptr)
    return std::nullopt;
  const Icon icon(large);
  ICONINFO parts{};
  if (!GetIconInfo(icon.get(), &parts)) return std::nullopt;
  const Bitmap colour(parts.hbmColor), mask(parts.hbmMask);
  if (!colour) return std::nullopt;
  BITMAP shape{};
  GetObjectA(colour.get(), sizeof(shape), &shape);
  BITMAPINFO format{};
  format.bmiHeader.biSize = sizeof(format.bmiHeader);
  format.bmiHeader.biWidth = shape.bmWidth;
  format.bmiHeader.biHeight = -shape.bmHeight;  // top row first
  format.bmiHeader.biPlanes = 1;
  format.bmiHeader.biBitCount = 32;
  format.bmiHeader.biCompression = BI_RGB;
  std::vector<uint8_t> pixels(static_cast<size_t>(shape.bmWidth) * shape.bmHeight * 4);
  const ScreenDc screen;
  if (GetDIBits(screen.get(), colour.get(), 0, static_cast<UINT>(shape.bmHeight), pixels.data(),
                &format, DIB_RGB_COLORS) == 0) {
    return std::nullopt;
  }
  return std::to_string(pixels[2]) + "," + std::to_string(pixels[1]) + "," +
         std::to_string(pixels[0]);
}

}  // namespace tidemark::e2e
