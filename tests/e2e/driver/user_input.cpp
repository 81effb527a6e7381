#include "tests/e2e/driver/user_input.h"

#include "tests/e2e/driver/system_failure.h"

namespace tidemark::e2e {
namespace {

void Post(HWND window, UINT message, WPARAM w, LPARAM l) {
  if (!PostMessageA(window, message, w, l)) {
    throw SystemFailure("cannot post a message to the control");
  }
}

}  // namespace

void ClickCentre(HWND control) {
  RECT client = {};
  GetClientRect(control, &client);
  const LPARAM centre =
      MAKELPARAM((client.right - client.left) / 2, (client.bottom - client.top) / 2);
  Post(control, WM_MOUSEMOVE, 0, centre);
  Post(control, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  Post(control, WM_LBUTTONUP, 0, centre);
}

void TypeCharacters(HWND control, const std::string& text) {
  for (unsigned char c : text) Post(control, WM_CHAR, c, 1);
}

void PressKey(HWND control, UINT virtual_key) {
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC)) << 16;
  Post(control, WM_KEYDOWN, virtual_key, scan | 1);
  Post(control, WM_KEYUP, virtual_key, scan | 1 | (LPARAM{1} << 30) | (LPARAM{1} << 31));
}

void ChooseComboItem(HWND combo, int index) {
  if (SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != index) {
    throw SystemFailure("cannot select the item of the combo box");
  }
  Post(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
       reinterpret_cast<LPARAM>(combo));
}

void DoubleClickListItem(HWND list, int index) {
  RECT client = {};
  GetClientRect(list, &client);
  const int height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
  auto item_top = [&] {
    return (index - static_cast<int>(SendMessageA(list, LB_GETTOPINDEX, 0, 0))) * height;
  };
  if (item_top() < 0 || item_top() + height > client.bottom) {
    SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(index), 0);  // the user scrolls
  }
  const LPARAM centre = MAKELPARAM(client.right / 2, item_top() + height / 2);
  Post(list, WM_MOUSEMOVE, 0, centre);
  Post(list, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  Post(list, WM_LBUTTONUP, 0, centre);
  Post(list, WM_LBUTTONDBLCLK, MK_LBUTTON, centre);
  Post(list, WM_LBUTTONUP, 0, centre);
}

}  // namespace tidemark::e2e
