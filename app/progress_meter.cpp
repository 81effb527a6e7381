#include "app/progress_meter.h"

#include <commctrl.h>

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

}  // namespace tidemark
