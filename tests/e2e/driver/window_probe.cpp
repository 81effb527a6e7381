#include "tests/e2e/driver/window_probe.h"

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "tests/e2e/driver/installer_windows.h"

namespace tidemark::e2e {

ProbeReport ProbeWhileShown(HWND window, HWND label, HWND meter, const std::string& text,
                            int limit_ms, int for_ms) {
  using Clock = std::chrono::steady_clock;
  ProbeReport report;
  const Clock::time_point end = Clock::now() + std::chrono::milliseconds(for_ms);
  while (Clock::now() < end && ReadWindowText(label) == text) {
    const Clock::time_point asked = Clock::now();
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL,
                                              static_cast<UINT>(limit_ms), &result) != 0;
    const auto waited =
        std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - asked).count();
    ++report.probes;
    report.slowest_ms = std::max(report.slowest_ms, static_cast<int>(waited));
    if (!answered) {
      report.unanswered = true;
      break;
    }
    if (SendMessageTimeoutA(meter, PBM_GETPOS, 0, 0, SMTO_NORMAL, static_cast<UINT>(limit_ms),
                            &result)) {
      report.positions.insert(static_cast<int>(result));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return report;
}

}  // namespace tidemark::e2e
