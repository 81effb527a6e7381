#include "app/controls/icon_list_item.h"

#include "app/controls/folder_icons.h"
#include "system/gdi_handles.h"
#include "system/screen_dpi.h"

namespace tidemark {
namespace {

// At 96 DPI; they grow with the list's DPI.
constexpr int kMargin = 2;       // before the icon
constexpr int kIconGap = 3;      // between icon and text
constexpr int kTextPadding = 2;  // on each side of the text, inside its highlight

// The icon at `size` pixels square: drawn at its own 16 pixels on the row's
// background, then scaled with smooth filtering.
void PaintScaledIcon(HDC dc, int left, int top, int size, const IconPainter& icon) {
  if (size == kSmallIconSize) {
    icon(dc, left, top);
    return;
  }
  UniqueMemoryDc canvas(CreateCompatibleDC(dc));
  UniqueBitmap pixels(CreateCompatibleBitmap(dc, kSmallIconSize, kSmallIconSize));
  if (!canvas || !pixels) return;
  SelectScope select(canvas.get(), pixels.get());
  const RECT area = {0, 0, kSmallIconSize, kSmallIconSize};
  FillRect(canvas.get(), &area, GetSysColorBrush(COLOR_WINDOW));
  icon(canvas.get(), 0, 0);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, left, top, size, size, canvas.get(), 0, 0, kSmallIconSize, kSmallIconSize,
             SRCCOPY);
}

}  // namespace

void DrawIconListItem(const DRAWITEMSTRUCT& item, int indent, const std::string& text,
                      const IconPainter& icon) {
  HDC dc = item.hDC;
  const RECT& row = item.rcItem;
  FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));

  const int dpi = WindowDpi(item.hwndItem);
  const int icon_size = ScaleToDpi(kSmallIconSize, dpi);
  const int padding = ScaleToDpi(kTextPadding, dpi);
  const int icon_left = row.left + ScaleToDpi(kMargin + indent, dpi);
  const int icon_top = row.top + (row.bottom - row.top - icon_size) / 2;
  PaintScaledIcon(dc, icon_left, icon_top, icon_size, icon);

  SIZE extent = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  const int text_left = icon_left + icon_size + ScaleToDpi(kIconGap, dpi);
  RECT text_area = {text_left, row.top, text_left + extent.cx + 2 * padding, row.bottom};
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  if (selected) FillRect(dc, &text_area, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled   ? COLOR_GRAYTEXT
                               : selected ? COLOR_HIGHLIGHTTEXT
                                          : COLOR_WINDOWTEXT));
  RECT text_place = text_area;
  text_place.left += padding;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &text_place,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    DrawFocusRect(dc, &text_area);
  }
}

}  // namespace tidemark
