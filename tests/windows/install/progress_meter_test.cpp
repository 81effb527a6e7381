#include "app/controls/progress_meter.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

namespace tidemark {
namespace {

// The meter counts bytes, so its range goes far beyond the 16-bit one of
// the classic progress bar messages.
TEST(ProgressMeter, CountsBytesOfLargeProducts) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  ASSERT_TRUE(InitCommonControlsEx(&controls));
  HWND meter = CreateWindowExA(0, PROGRESS_CLASSA, "", PBS_VERTICAL | PBS_SMOOTH, 0, 0, 20, 200,
                               nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(meter, nullptr);
  SendMessageA(meter, PBM_SETPOS, 50, 0);

  ResetProgressMeter(meter, 1823084);
  EXPECT_EQ(SendMessageA(meter, PBM_GETPOS, 0, 0), 0);
  EXPECT_EQ(SendMessageA(meter, PBM_GETRANGE, FALSE, 0), 1823084);
  const ProgressFn advance = AdvanceProgressMeter(meter);
  advance(635904);
  advance(58572);
  EXPECT_EQ(SendMessageA(meter, PBM_GETPOS, 0, 0), 635904 + 58572);
  DestroyWindow(meter);
}

// Many small files in a burst: the first name is shown at once, the rest
// wait for the next showing, and nothing is lost by the end.
TEST(PacedProgress, ShowsTheFirstAtOnceAndEverythingByTheEnd) {
  INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
  ASSERT_TRUE(InitCommonControlsEx(&controls));
  HWND meter = CreateWindowExA(0, PROGRESS_CLASSA, "", PBS_SMOOTH, 0, 0, 200, 20, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  HWND label = CreateWindowExA(0, "STATIC", "", SS_LEFT, 0, 0, 200, 20, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(meter, nullptr);
  ASSERT_NE(label, nullptr);
  ResetProgressMeter(meter, 1 << 30);
  const auto label_text = [label] {
    char text[64] = "";
    GetWindowTextA(label, text, sizeof(text));
    return std::string(text);
  };
  {
    PacedProgress display(nullptr, meter, label);
    const ProgressFn advance = display.Advance();
    display.Announce("Installing : first");
    EXPECT_EQ(label_text(), "Installing : first");
    // Far more files than can pass unnoticed within one refresh interval.
    for (int i = 0; i < 100000; ++i) {
      display.Announce("Installing : file " + std::to_string(i));
      advance(7);
    }
    // Shown at most every interval: most of these never reached the meter.
    EXPECT_LT(SendMessageA(meter, PBM_GETPOS, 0, 0), 100000 * 7);
    display.Announce("Installing : last");
    advance(5);
  }
  EXPECT_EQ(label_text(), "Installing : last");
  EXPECT_EQ(SendMessageA(meter, PBM_GETPOS, 0, 0), 100000 * 7 + 5);
  DestroyWindow(label);
  DestroyWindow(meter);
}

}  // namespace
}  // namespace tidemark
