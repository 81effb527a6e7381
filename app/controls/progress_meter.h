// The installation's progress meter, which counts bytes: each file item and
// the uninstaller move it on by the bytes they wrote.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "container/items.h"

namespace tidemark {

// An empty meter that counts up to `maximum`.
void ResetProgressMeter(HWND meter, int maximum);

// A progress callback that moves `meter` on by the bytes it is told of.
ProgressFn AdvanceProgressMeter(HWND meter);

// What the user sees of the file loop: the meter and the line naming the
// file being installed. A progress bar and a label repaint at once on every
// change, which costs more than installing a small file; so changes are
// shown at most once per kRefreshMs, and pending messages (an Exit click, a
// repaint) are handled at the same moments. Whatever is still pending is
// painted by Paint(), Show() and on destruction.
class PacedProgress {
 public:
  // Ten showings a second keep the window lively; under Wine each one
  // costs 2 to 3 ms of painting and message handling.
  static constexpr ULONGLONG kRefreshMs = 100;

  PacedProgress(HWND window, HWND meter, HWND label);
  ~PacedProgress();
  PacedProgress(const PacedProgress&) = delete;
  PacedProgress& operator=(const PacedProgress&) = delete;

  // Names the step about to start: shown now when the last showing is long
  // enough ago (always the first time), otherwise with the next one.
  void Announce(const std::string& text);
  // Counts bytes towards the meter, shown with the next showing, which
  // comes now when the last one is long enough ago.
  ProgressFn Advance();
  // Paints everything pending, now.
  void Paint();
  // Paints everything pending and handles pending messages, now.
  void Show();

 private:
  HWND window_;
  HWND meter_;
  HWND label_;
  std::string text_;
  bool text_pending_ = false;
  int64_t bytes_pending_ = 0;
  bool shown_ = false;
  ULONGLONG last_shown_ = 0;
};

}  // namespace tidemark
