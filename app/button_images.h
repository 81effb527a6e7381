// The image list imgIcons: the four 32 x 32 button images with their alpha
// channel, inflated from the program's resources.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "app/gdi_handles.h"

namespace tidemark {

// Bytes of one image: 32 x 32 pixels of 4 bytes.
inline constexpr size_t kButtonImageBytes = 32 * 32 * 4;

// The pixels of all four images, in list order, as resource_ids.h describes
// them. Empty when the resource is missing or damaged.
std::vector<uint8_t> LoadButtonPixels(HINSTANCE instance);

// Images missing from the resources leave their places empty (drawn as
// nothing), so the buttons still work and keep their hints.
UniqueImageList LoadButtonImages(HINSTANCE instance);

}  // namespace tidemark
