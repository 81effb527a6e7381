#include "app/progress_meter.h"

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tidemark
