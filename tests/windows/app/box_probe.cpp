#include "tests/windows/app/box_probe.h"

#include <gtest/gtest.h>

#include "tests/windows/app/test_window.h"

namespace tidemark::testing {
namespace {

BOOL CALLBACK FindBox(HWND window, LPARAM found) {
  if (ClassOf(window) == "#32770" && IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

BoxProbe* BoxProbe::current_ = nullptr;

BoxButton BoxProbe::Show(const BoxRequest& request, std::function<void(HWND)> answer) {
  BoxButton result = BoxButton::kOk;
  Run([&] { result = ShowBox(nullptr, request); }, std::move(answer));
  return result;
}

void BoxProbe::Run(const std::function<void()>& show, std::function<void(HWND)> answer) {
  current_ = this;
  answer_ = std::move(answer);
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, OnTimer);
  show();
  KillTimer(nullptr, timer);
  current_ = nullptr;
}

BOOL CALLBACK BoxProbe::RecordChild(HWND child, LPARAM probe) {
  SeenBox& seen = reinterpret_cast<BoxProbe*>(probe)->seen_;
  const std::string window_class = ClassOf(child);
  const LONG style = GetWindowLongA(child, GWL_STYLE);
  if (window_class == "Button") {
    seen.buttons.push_back(TextOf(child));
    if ((style & 0x0F) == BS_DEFPUSHBUTTON) seen.default_button = TextOf(child);
  } else if (window_class == "Static" && (style & SS_TYPEMASK) == SS_ICON) {
    seen.has_icon = true;
  } else if (window_class == "Static") {
    seen.text = TextOf(child);
  }
  return TRUE;
}

void CALLBACK BoxProbe::OnTimer(HWND, UINT, UINT_PTR, DWORD) {
  BoxProbe* probe = current_;
  if (probe == nullptr || probe->done_) return;
  HWND box = nullptr;
  EnumThreadWindows(GetCurrentThreadId(), FindBox, reinterpret_cast<LPARAM>(&box));
  if (box == nullptr) return;
  probe->done_ = true;
  probe->seen_.title = TextOf(box);
  GetWindowRect(box, &probe->seen_.frame);
  EnumChildWindows(box, RecordChild, reinterpret_cast<LPARAM>(probe));
  probe->answer_(box);
}

void PressKey(HWND, WPARAM key) {
  PostMessageA(GetFocus(), WM_KEYDOWN, key, 0);
  PostMessageA(GetFocus(), WM_KEYUP, key, 0xC0000001);
}

void ClickButton(HWND box, const char* caption) {
  HWND button = FindWindowExA(box, nullptr, "Button", caption);
  ASSERT_NE(button, nullptr) << caption;
  PostMessageA(button, BM_CLICK, 0, 0);
}

}  // namespace tidemark::testing
