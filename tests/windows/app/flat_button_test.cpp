#include "app/controls/flat_button.h"

#include <gtest/gtest.h>

#include "system/gdi_handles.h"
#include "tests/windows/app/test_window.h"

namespace tidemark {
namespace {

constexpr int kButtonId = 42;

class FlatButton : public ::testing::Test {
 protected:
  FlatButton() {
    ShowWindow(window_.handle(), SW_SHOW);
    edit_ = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 100, 20,
                            window_.handle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    button_ = CreateWindowExA(0, kFlatButtonClass, "Next", WS_CHILD | WS_VISIBLE, 10, 30, 38, 38,
                              window_.handle(), reinterpret_cast<HMENU>(kButtonId),
                              GetModuleHandleA(nullptr), nullptr);
    SetFocus(edit_);
  }
  size_t Clicks() const {
    size_t clicks = 0;
    for (const testing::Command& command : window_.commands()) {
      if (command.id == kButtonId && command.code == BN_CLICKED && command.sender == button_) {
        ++clicks;
      }
    }
    return clicks;
  }

  testing::TestWindow window_;
  HWND edit_ = nullptr;
  HWND button_ = nullptr;
};

TEST_F(FlatButton, ClickByMessageOrMouseNotifiesTheParent) {
  ASSERT_NE(button_, nullptr);
  SendMessageA(button_, BM_CLICK, 0, 0);
  EXPECT_EQ(Clicks(), 1u);
  SendMessageA(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(Clicks(), 1u) << "a press alone is no click";
  SendMessageA(button_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(Clicks(), 2u);
}

TEST_F(FlatButton, ReleasingOutsideTheButtonIsNoClick) {
  SendMessageA(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(button_, WM_LBUTTONUP, 0, MAKELPARAM(60, 5));
  EXPECT_EQ(Clicks(), 0u);
}

TEST_F(FlatButton, NeverTakesTheFocus) {
  ASSERT_EQ(GetFocus(), edit_);
  SendMessageA(button_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageA(button_, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(GetFocus(), edit_);
  EXPECT_FALSE(GetWindowLongA(button_, GWL_STYLE) & WS_TABSTOP);
  // The dialog manager sees no push button, so Enter and Escape press none.
  const LRESULT code = SendMessageA(button_, WM_GETDLGCODE, 0, 0);
  EXPECT_FALSE(code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON | DLGC_BUTTON));
}

TEST_F(FlatButton, DisabledButtonIgnoresClicks) {
  EnableWindow(button_, FALSE);
  SendMessageA(button_, BM_CLICK, 0, 0);
  EXPECT_EQ(Clicks(), 0u);
}

TEST_F(FlatButton, ItsWindowTextIsItsHintAndItsTooltip) {
  EXPECT_EQ(testing::TextOf(button_), "Next");
  HWND tooltip = CreateButtonTooltip(window_.handle());
  ASSERT_NE(tooltip, nullptr);
  AddButtonTooltip(tooltip, button_);
  char text[80] = {};
  TOOLINFOA tool = {};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window_.handle();
  tool.uId = reinterpret_cast<UINT_PTR>(button_);
  tool.lpszText = text;
  SendMessageA(tooltip, TTM_GETTEXTA, sizeof(text), reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "Next");
  DestroyWindow(tooltip);
}

TEST_F(FlatButton, ShowsTheImageItWasGiven) {
  EXPECT_EQ(FlatButtonImage(button_), -1);
  const UniqueImageList images(ImageList_Create(32, 32, ILC_COLOR32, 4, 0));
  SetFlatButtonImage(button_, images.get(), 2);
  EXPECT_EQ(FlatButtonImage(button_), 2);
  DestroyWindow(button_);
}

}  // namespace
}  // namespace tidemark
