// The program's message loop, and the handling of pending messages from
// inside a long-running handler.
#pragma once

#include <windows.h>

namespace tidemark {

// Runs until a quit is requested; keyboard navigation (Tab) works inside
// `window`. Returns the exit code carried by the quit request.
int RunMessageLoop(HWND window);

// Handles every message that is waiting, once, and returns. A quit request
// found among them is put back, so that the message loop still sees it once
// the running handler has returned. Returns false when a quit is pending.
bool HandlePendingMessages(HWND window);

}  // namespace tidemark
