// The image list imgIcons: the four 32 x 32 button images with their alpha
// channel, inflated from the program's resources.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

#include "resources/layout.h"
#include "system/gdi_handles.h"

namespace tidemark {

// Bytes of one image: square, of 4-byte pixels.
inline constexpr size_t kButtonImageBytes =
    static_cast<size_t>(layout::kButtonImageSize) * layout::kButtonImageSize * 4;

// The pixels of all four images, in list order, as resource_ids.h describes
// them. Empty when the resource is missing or damaged.
std::vector<uint8_t> LoadButtonPixels(HINSTANCE instance);

// One image of `from_size` pixels square resampled to `to_size` square,
// bilinearly, every channel alike (the alpha channel is premultiplied).
std::vector<uint8_t> ScaleButtonImage(const uint8_t* pixels, int from_size, int to_size);

// The list at `dpi`: each image 32 x 32 scaled by dpi / 96, with smooth
// filtering. Images missing from the resources leave their places empty
// (drawn as nothing), so the buttons still work and keep their hints.
UniqueImageList LoadButtonImages(HINSTANCE instance, int dpi);

}  // namespace tidemark
