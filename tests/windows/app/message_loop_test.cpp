#include "app/message_loop.h"

#include <gtest/gtest.h>

namespace tidemark {
namespace {

constexpr UINT kProbe = WM_APP + 7;

TEST(PendingMessages, AreHandledAndAQuitRequestIsKeptForTheMainLoop) {
  int handled = 0;
  HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 1, 1, HWND_MESSAGE, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&handled));
  const auto count = [](HWND target, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
    if (message == kProbe) ++*reinterpret_cast<int*>(GetWindowLongPtrA(target, GWLP_USERDATA));
    return DefWindowProcA(target, message, wparam, lparam);
  };
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(static_cast<WNDPROC>(count)));

  PostMessageA(window, kProbe, 0, 0);
  EXPECT_TRUE(HandlePendingMessages(nullptr));
  EXPECT_EQ(handled, 1);

  PostQuitMessage(3);
  EXPECT_FALSE(HandlePendingMessages(nullptr));
  EXPECT_FALSE(HandlePendingMessages(nullptr)) << "the request stays pending";
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
  DestroyWindow(window);
}

}  // namespace
}  // namespace tidemark
