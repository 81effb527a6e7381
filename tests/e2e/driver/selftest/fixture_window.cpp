// A stand-in installer window for the driver's own tests: the window class,
// control identifiers, page switching, image buttons that act on a mouse
// click and the exit question behave like the installer's. Started under a
// name containing "broken", it shows one error box and ends instead.
#include <windows.h>

#include <cstring>

#include "resources/control_ids.h"

namespace {

namespace ids = tidemark::ids;

constexpr char kImageButtonClass[] = "FixtureImageButton";
constexpr int kPageIds[] = {ids::kTabIntro, ids::kTabLicense, ids::kTabFolder};

HWND main_window = nullptr;

// Acts on button up inside the control after button down in it, like a
// flat image button; the hint is its window text.
LRESULT CALLBACK ImageButtonProc(HWND button, UINT message, WPARAM w, LPARAM l) {
  switch (message) {
    case WM_LBUTTONDOWN:
      SetCapture(button);
      SetWindowLongPtrA(button, GWLP_USERDATA, 1);
      return 0;
    case WM_LBUTTONUP: {
      const bool pressed = GetWindowLongPtrA(button, GWLP_USERDATA) != 0;
      SetWindowLongPtrA(button, GWLP_USERDATA, 0);
      ReleaseCapture();
      RECT client;
      GetClientRect(button, &client);
      const POINT at = {static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
      if (pressed && PtInRect(&client, at)) {
        PostMessageA(main_window, WM_COMMAND, GetDlgCtrlID(button),
                     reinterpret_cast<LPARAM>(button));
      }
      return 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(button, &paint);
      RECT client;
      GetClientRect(button, &client);
      FillRect(dc, &client, GetSysColorBrush(COLOR_HIGHLIGHT));
      char hint[64] = {};
      GetWindowTextA(button, hint, sizeof hint);
      SetBkMode(dc, TRANSPARENT);
      DrawTextA(dc, hint, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      EndPaint(button, &paint);
      return 0;
    }
  }
  return DefWindowProcA(button, message, w, l);
}

HWND Child(HWND parent, const char* kind, const char* text, DWORD style, int id, int x, int y,
           int w, int h) {
  return CreateWindowExA(0, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
}

void ShowPage(int page_id) {
  for (int id : kPageIds)
    ShowWindow(GetDlgItem(main_window, id), id == page_id ? SW_SHOW : SW_HIDE);
}

void Build(HWND window) {
  Child(window, "STATIC", "Fixture", 0, ids::kLabTitle, 186, 10, 401, 23);
  for (int id : kPageIds) {
    HWND page = Child(window, "STATIC", "", 0, id, 146, 58, 444, 252);
    SetWindowLongPtrA(page, GWL_STYLE, GetWindowLongPtrA(page, GWL_STYLE) | WS_CLIPCHILDREN);
  }
  HWND intro = GetDlgItem(window, ids::kTabIntro);
  HWND license = GetDlgItem(window, ids::kTabLicense);
  HWND folder = GetDlgItem(window, ids::kTabFolder);
  Child(intro, "STATIC", "Line one\r\nLine two", 0, ids::kLabWelcome, 16, 150, 409, 43);
  Child(intro, kImageButtonClass, "Next", 0, ids::kBtnShowLicense, 344, 216, 38, 38);
  Child(intro, kImageButtonClass, "Exit", 0, ids::kBtnExit, 392, 216, 38, 38);
  Child(license, kImageButtonClass, "Accept", 0, ids::kBtnAccept, 344, 216, 38, 38);
  Child(license, kImageButtonClass, "Exit", 0, ids::kBtnExit2, 392, 216, 38, 38);
  Child(folder, "EDIT", "", WS_BORDER | ES_AUTOHSCROLL, ids::kEdtFolder, 16, 148, 145, 21);
  Child(folder, kImageButtonClass, "Exit", 0, ids::kBtnExit3, 392, 216, 38, 38);
  ShowPage(ids::kTabIntro);
}

// Page children notify their page; the fixture routes everything here.
LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (message == WM_COMMAND) {
    switch (LOWORD(w)) {
      case ids::kBtnShowLicense:
        ShowPage(ids::kTabLicense);
        return 0;
      case ids::kBtnAccept:
        ShowPage(ids::kTabFolder);
        return 0;
      case ids::kBtnExit:
      case ids::kBtnExit2:
      case ids::kBtnExit3:
        if (MessageBoxA(window, "Exit Installer ?", "Confirm", MB_YESNO | MB_ICONQUESTION) ==
            IDYES) {
          PostQuitMessage(0);
        }
        return 0;
    }
  }
  if (message == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(window, message, w, l);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (std::strstr(path, "broken")) {
    MessageBoxA(nullptr, "Can't find control information (damaged installer?)", "Error",
                MB_ICONERROR);
    return 3;
  }

  WNDCLASSA button_class = {};
  button_class.lpfnWndProc = ImageButtonProc;
  button_class.hInstance = instance;
  button_class.hCursor = LoadCursor(nullptr, IDC_ARROW);
  button_class.lpszClassName = kImageButtonClass;
  RegisterClassA(&button_class);

  WNDCLASSA window_class = {};
  window_class.lpfnWndProc = MainProc;
  window_class.hInstance = instance;
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = ids::kWindowClass;
  RegisterClassA(&window_class);

  main_window = CreateWindowExA(0, ids::kWindowClass, " ", WS_POPUP | WS_CAPTION | WS_BORDER, 200,
                                200, 602, 346, nullptr, nullptr, instance, nullptr);
  Build(main_window);
  ShowWindow(main_window, SW_SHOW);

  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return 0;
}
