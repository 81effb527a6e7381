#include "tests/windows/app/test_window.h"

#include "app/window/control_factory.h"

namespace tidemark::testing {
namespace {
constexpr char kTestWindowClass[] = "TidemarkTestWindow";
}

TestWindow::TestWindow() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  RegisterControlClasses(instance);
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = Proc;
  window_class.hInstance = instance;
  window_class.lpszClassName = kTestWindowClass;
  RegisterClassExA(&window_class);
  window_ = CreateWindowExA(0, kTestWindowClass, "test", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0,
                            0, 700, 400, nullptr, nullptr, instance, this);
}

TestWindow::~TestWindow() {
  if (window_ != nullptr) DestroyWindow(window_);
}

LRESULT CALLBACK TestWindow::Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(
        window, GWLP_USERDATA,
        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self != nullptr && message == WM_COMMAND) {
    self->commands_.push_back(
        Command{LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam)});
    return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

std::string TextOf(HWND window) {
  std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

std::string ClassOf(HWND window) {
  char name[256] = {};
  GetClassNameA(window, name, sizeof(name));
  return name;
}

RECT PlaceInParent(HWND window) {
  RECT place;
  GetWindowRect(window, &place);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

}  // namespace tidemark::testing
