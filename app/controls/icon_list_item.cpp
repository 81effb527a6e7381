#include "app/controls/icon_list_item.h"

#include "app/controls/folder_icons.h"

namespace tidemark {
namespace {

constexpr int kMargin = 2;       // before the icon
constexpr int kIconGap = 3;      // between icon and text
constexpr int kTextPadding = 2;  // on each side of the text, inside its highlight

}  // namespace

void DrawIconListItem(const DRAWITEMSTRUCT& item, int indent, const std::string& text,
                      const IconPainter& icon) {
  HDC dc = item.hDC;
  const RECT& row = item.rcItem;
  FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));

  const int icon_left = row.left + kMargin + indent;
  const int icon_top = row.top + (row.bottom - row.top - kSmallIconSize) / 2;
  icon(dc, icon_left, icon_top);

  SIZE extent = {};
  GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
  RECT text_area = {icon_left + kSmallIconSize + kIconGap, row.top,
                    icon_left + kSmallIconSize + kIconGap + extent.cx + 2 * kTextPadding,
                    row.bottom};
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & ODS_DISABLED) != 0;
  if (selected) FillRect(dc, &text_area, GetSysColorBrush(COLOR_HIGHLIGHT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(disabled   ? COLOR_GRAYTEXT
                               : selected ? COLOR_HIGHLIGHTTEXT
                                          : COLOR_WINDOWTEXT));
  RECT text_place = text_area;
  text_place.left += kTextPadding;
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &text_place,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if ((item.itemState & ODS_FOCUS) != 0 && (item.itemState & ODS_NOFOCUSRECT) == 0) {
    DrawFocusRect(dc, &text_area);
  }
}

}  // namespace tidemark
