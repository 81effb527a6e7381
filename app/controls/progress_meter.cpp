#include "app/controls/progress_meter.h"

#include <commctrl.h>

#include "app/message_loop.h"

namespace tidemark {

void ResetProgressMeter(HWND meter, int maximum) {
  SendMessageA(meter, PBM_SETPOS, 0, 0);
  SendMessageA(meter, PBM_SETRANGE32, 0, maximum);
}

ProgressFn AdvanceProgressMeter(HWND meter) {
  return [meter](int64_t bytes) {
    SendMessageA(meter, PBM_DELTAPOS, static_cast<WPARAM>(static_cast<int>(bytes)), 0);
  };
}

PacedProgress::PacedProgress(HWND window, HWND meter, HWND label)
    : window_(window), meter_(meter), label_(label) {}

// No messages are handled here: this may run while an error is on its way
// to the error report.
PacedProgress::~PacedProgress() { Paint(); }

void PacedProgress::Announce(const std::string& text) {
  text_ = text;
  text_pending_ = true;
  if (!shown_ || GetTickCount64() - last_shown_ >= kRefreshMs) Show();
}

ProgressFn PacedProgress::Advance() {
  return [this](int64_t bytes) {
    bytes_pending_ += bytes;
    if (GetTickCount64() - last_shown_ >= kRefreshMs) Show();
  };
}

void PacedProgress::Paint() {
  if (text_pending_ && label_ != nullptr) SetWindowTextA(label_, text_.c_str());
  if (bytes_pending_ != 0) AdvanceProgressMeter(meter_)(bytes_pending_);
  text_pending_ = false;
  bytes_pending_ = 0;
}

void PacedProgress::Show() {
  Paint();
  shown_ = true;
  last_shown_ = GetTickCount64();
  HandlePendingMessages(window_);
}

}  // namespace tidemark
