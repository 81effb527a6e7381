#include "app/application_window.h"

#include "resources/control_ids.h"
#include "resources/resource_ids.h"

namespace tidemark {
namespace {

LRESULT CALLBACK ApplicationProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_ACTIVATE:
      // Chosen on the taskbar or with Alt+Tab: the window it owns (or that
      // window's open box) takes over.
      if (LOWORD(wparam) != WA_INACTIVE) {
        HWND popup = GetLastActivePopup(window);
        if (popup != window && IsWindowEnabled(popup)) SetActiveWindow(popup);
        return 0;
      }
      break;
    case WM_CLOSE:
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

bool RegisterApplicationClass(HINSTANCE instance) {
  WNDCLASSEXA window_class = {};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = ApplicationProc;
  window_class.hInstance = instance;
  window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_INSTALLER));
  window_class.hIconSm = static_cast<HICON>(
      LoadImageA(instance, MAKEINTRESOURCEA(IDI_INSTALLER), IMAGE_ICON,
                 GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  window_class.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  window_class.lpszClassName = ids::kApplicationClass;
  return RegisterClassExA(&window_class) != 0;
}

UniqueWindow CreateApplicationWindow(HINSTANCE instance) {
  // Where the installer window will stand, so that the taskbar's animations
  // start from there.
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2;
  const int y = GetSystemMetrics(SM_CYSCREEN) / 2;
  UniqueWindow window(
      CreateWindowExA(0, ids::kApplicationClass, ids::kApplicationTitle,
                      WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPSIBLINGS, x, y,
                      0, 0, nullptr, nullptr, instance, nullptr));
  if (!window) return window;
  // The taskbar asks the window for its icon before it looks at the class.
  const auto icon = [&](int size) {
    return reinterpret_cast<LPARAM>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_INSTALLER),
                                               IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
  };
  SendMessageA(window.get(), WM_SETICON, ICON_BIG, icon(GetSystemMetrics(SM_CXICON)));
  SendMessageA(window.get(), WM_SETICON, ICON_SMALL, icon(GetSystemMetrics(SM_CXSMICON)));
  ShowWindow(window.get(), SW_SHOWNOACTIVATE);
  return window;
}

}  // namespace tidemark
