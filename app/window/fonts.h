// The window's fonts: the design font, or the system's UI font when it is
// installed. Sizes are chosen in pixels at 96 pixels per inch and created
// for the DPI the window is on, so that a font keeps its point size.
#pragma once

#include <functional>
#include <string>

#include "system/gdi_handles.h"

namespace tidemark {

// Whether a font family of this name is installed; names compare without
// regard to case.
bool FontFamilyInstalled(const std::string& family);

struct FontChoice {
  std::string face;
  int pixel_height = 0;  // character height (without internal leading)
};

// "Tahoma", 11 pixels high: the font the window is designed in.
FontChoice DesignFont();

// The design font, or the UI font at its point size when `is_installed`
// says that it is there.
FontChoice ChooseWindowFont(const std::function<bool(const std::string&)>& is_installed);

// The regular and bold variants of a choice, at `dpi`.
struct WindowFonts {
  UniqueFont regular;
  UniqueFont bold;
};
WindowFonts CreateWindowFonts(const FontChoice& choice, int dpi);

}  // namespace tidemark
