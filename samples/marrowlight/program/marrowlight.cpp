// Marrowlight, the sample product's main program. It proves that it was
// started: it leaves a note "<own name>.started" in the user's temporary
// folder, naming where it ran from, and shows a small window for a few
// seconds.
#include <windows.h>

#include <string>

namespace {

constexpr char kWindowClass[] = "MarrowlightWindow";
constexpr UINT_PTR kCloseTimer = 1;
constexpr UINT kShowMilliseconds = 8000;

std::string OwnPath() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

// The file name without its folder and extension: a copy under another name
// leaves its own note.
std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = name.find_last_of('.');
  if (dot != std::string::npos) name.resize(dot);
  return name;
}

void LeaveStartedNote(const std::string& own_path) {
  char temp[MAX_PATH] = {};
  const DWORD length = GetTempPathA(MAX_PATH, temp);
  if (length == 0 || length >= MAX_PATH) return;
  const std::string note_path = std::string(temp, length) + BaseName(own_path) + ".started";
  const std::string text = "program " + own_path + "\r\n";
  HANDLE file = CreateFileA(note_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_TIMER:
    case WM_LBUTTONUP:
      DestroyWindow(window);
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      RECT area;
      GetClientRect(window, &area);
      SetBkMode(dc, TRANSPARENT);
      SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
      DrawTextA(dc, "Marrowlight by Brackwater is running.", -1, &area,
                DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  LeaveStartedNote(OwnPath());

  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = WindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kWindowClass;
  if (!RegisterClassA(&window_class)) return 1;
  HWND window =
      CreateWindowA(kWindowClass, "Marrowlight", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                    CW_USEDEFAULT, CW_USEDEFAULT, 320, 120, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;
  ShowWindow(window, show);
  SetTimer(window, kCloseTimer, kShowMilliseconds, nullptr);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
