// Drawing one entry of our owner-drawn lists (the drive selector and the
// directory list): a small icon, then the entry's text, highlighted when the
// entry is selected.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tidemark {

// Draws the icon with its top-left corner at the given point.
using IconPainter = std::function<void(HDC dc, int left, int top)>;

// Paints `item` (an entry of a list box or combo box): background, the icon
// `indent` pixels in, the text after it, the highlight and the focus frame.
// Sizes are pixels at 96 DPI, scaled with the list's DPI.
void DrawIconListItem(const DRAWITEMSTRUCT& item, int indent, const std::string& text,
                      const IconPainter& icon);

}  // namespace tidemark
