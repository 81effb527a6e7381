// Bounds on the splash and icon pictures, which the installer and its
// uninstaller decode at every start and the packer checks when it packs.
// The window is never scaled and shows the splash in 128 x 296 pixels and
// the icon in 32 x 32 (resources/layout.cpp); the bounds lie far above that,
// so that no picture a vendor means to show is refused, and low enough that
// decoding one takes tens of MiB at most, whatever its data claims.
#pragma once

#include <cstdint>

namespace tidemark {

// The JPEG data, inflated: a picture of the largest size below takes a few
// MiB even at the highest quality; the rest would be metadata.
inline constexpr int32_t kMaxPictureDataSize = 16 * 1024 * 1024;

// Each side, in pixels: 14 times the splash's height.
inline constexpr uint32_t kMaxPictureSide = 4096;

// Width times height: 4 Mi pixels (2048 x 2048, or 4096 x 1024), over 100
// times the splash's; decoded into 24-bit colour, 12 MiB.
inline constexpr uint64_t kMaxPicturePixels = uint64_t{1} << 22;

// What the JPEG decoder may set aside for the whole picture, as a
// progressive picture needs (2 bytes a pixel for each colour component at
// full resolution): three components of the largest picture take 24 MiB. A
// picture that needs more is refused.
inline constexpr long kMaxPictureDecoderMemory = 32L * 1024 * 1024;

// The texts of the refusals.
inline constexpr char kPictureDataTooLarge[] = "the picture's data is larger than 16 MiB";
inline constexpr char kPictureTooLarge[] =
    "the picture is wider or higher than 4096 pixels, or larger than 4194304 pixels (2048 x "
    "2048) in all";
inline constexpr char kPictureNeedsTooMuchMemory[] =
    "the picture would take more than 32 MiB to decode";

}  // namespace tidemark
