// Whether a busy installer window still answers: the driver asks it for a
// reply over and over while it shows one text, the way Windows decides that
// a window is "Not Responding".
#pragma once

#include <windows.h>

#include <set>
#include <string>

namespace tidemark::e2e {

struct ProbeReport {
  int probes = 0;
  int slowest_ms = 0;       // the longest wait for a reply
  bool unanswered = false;  // a reply took longer than the limit
  std::set<int> positions;  // the meter positions seen
};

// Sends WM_NULL to `window` every 20 ms, for at most `for_ms` and only as
// long as `label` shows `text`, waiting at most `limit_ms` for each reply;
// reads `meter`'s position after each reply. Stops at the first unanswered
// probe.
ProbeReport ProbeWhileShown(HWND window, HWND label, HWND meter, const std::string& text,
                            int limit_ms, int for_ms);

}  // namespace tidemark::e2e
