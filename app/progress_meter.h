// The installation's progress meter, which counts bytes: each file item and
// the uninstaller move it on by the bytes they wrote.
#pragma once

#include <windows.h>

#include "container/items.h"

namespace tidemark {

// An empty meter that counts up to `maximum`.
void ResetProgressMeter(HWND meter, int maximum);

// A progress callback that moves `meter` on by the bytes it is told of.
ProgressFn AdvanceProgressMeter(HWND meter);

}  // namespace tidemark
