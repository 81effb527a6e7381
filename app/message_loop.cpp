#include "app/message_loop.h"

namespace tidemark {
namespace {

void Dispatch(HWND window, MSG& message) {
  if (window != nullptr && IsDialogMessageA(window, &message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace

int RunMessageLoop(HWND window) {
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) Dispatch(window, message);
  return static_cast<int>(message.wParam);
}

bool HandlePendingMessages(HWND window) {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(message.wParam));
      return false;
    }
    Dispatch(window, message);
  }
  return true;
}

}  // namespace tidemark
