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
  const LPARAM centre = MAKELPARAM((client.right - client.left) / 2, (client.bottom - client.top) / 2);
  Post(control, WM_MOUSEMOVE, 0, centre);
  Post(control, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  Post(control, WM_LBUTTONUP, 0, centre);
}

void TypeCharacters(HWND control, const std::string& text) {
  for (unsigned char c : text) Post(control, WM_CHAR, c, 1);
}

}  // namespace tidemark::e2e
