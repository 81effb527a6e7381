// Pictures of the screen, as the user would see it.
#pragma once

#include <windows.h>

#include <vector>

#include "container/rgb_image.h"

namespace tidemark::e2e {

// The smallest rectangle holding the client areas of all `windows`, clipped
// to the screen; the whole screen when the list is empty. Client areas only:
// without a window manager (Xvfb) nobody paints the frames.
RECT AreaOf(const std::vector<HWND>& windows);

// Copies `area` of the screen. Raises std::runtime_error when GDI fails.
RgbImage CaptureScreen(const RECT& area);

}  // namespace tidemark::e2e
