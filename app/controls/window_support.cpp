#include "app/controls/window_support.h"

namespace tidemark {

bool RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, int extra_bytes,
                         HBRUSH background) {
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.cbWndExtra = extra_bytes;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = background;
  window_class.lpszClassName = name;
  return RegisterClassExA(&window_class) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

std::string WindowText(HWND window) {
  if (window == nullptr) return std::string();
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  const int length = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return text;
}

}  // namespace tidemark
