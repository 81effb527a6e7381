// Picture controls: show one decoded image, either stretched to fill the
// whole control without keeping its proportions, or at its own size from the
// top-left corner, clipped by the control. Its own size is its pixels at 96
// DPI: on a screen of another DPI it is scaled with smooth filtering. Where
// the image does not cover the control, the control's background shows.
#pragma once

#include <windows.h>

#include "container/rgb_image.h"

namespace tidemark {

inline constexpr char kPictureClass[] = "TidemarkPicture";

// Class-specific window styles of a picture.
inline constexpr DWORD kPictureStretch = 0x0001;
inline constexpr DWORD kPictureBlackBackground = 0x0002;

bool RegisterPictureClass(HINSTANCE instance);

// Replaces the picture's image; an empty image clears it.
void SetPictureImage(HWND picture, const RgbImage& image);

// Whether the picture holds an image, and its size.
bool PictureHasImage(HWND picture);
SIZE PictureImageSize(HWND picture);

}  // namespace tidemark
