// The image list imgIcons: the four 32 x 32 button images, loaded from the
// program's resources with their alpha channel.
#pragma once

#include <windows.h>

#include "app/gdi_handles.h"

namespace tidemark {

// An image missing from the resources leaves its place empty (drawn as
// nothing), so the buttons still work and keep their hints.
UniqueImageList LoadButtonImages(HINSTANCE instance);

}  // namespace tidemark
