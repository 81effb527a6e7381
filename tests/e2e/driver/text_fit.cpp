#include "tests/e2e/driver/text_fit.h"

#include <string>

#include "system/screen_dpi.h"
#include "tests/e2e/driver/installer_windows.h"

namespace tidemark::e2e {
namespace {

// How a control lays out its text: the DrawText flags and the part of the
// client area that is not for the text.
struct TextLayout {
  UINT flags;
  int reserved_width;
};

TextLayout LayoutOf(HWND control) {
  const LONG style = GetWindowLongA(control, GWL_STYLE);
  const std::string window_class = ReadClassName(control);
  if (lstrcmpiA(window_class.c_str(), "Static") == 0) {
    const bool wraps = (style & SS_TYPEMASK) == SS_LEFT;
    return {static_cast<UINT>(wraps ? DT_WORDBREAK : DT_SINGLELINE), 0};
  }
  if (lstrcmpiA(window_class.c_str(), "Button") == 0 &&
      ((style & BS_TYPEMASK) == BS_AUTOCHECKBOX || (style & BS_TYPEMASK) == BS_CHECKBOX)) {
    // The box and the gap after it.
    return {DT_SINGLELINE, GetSystemMetrics(SM_CXMENUCHECK) + GetSystemMetrics(SM_CXEDGE) * 2};
  }
  return {DT_SINGLELINE, 0};
}

bool FamilyInstalled(const char* family) {
  struct Search {
    const char* family;
    bool found;
  } search{family, false};
  LOGFONTA wanted = {};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(wanted.lfFaceName, family, LF_FACESIZE);
  HDC screen = GetDC(nullptr);
  EnumFontFamiliesExA(
      screen, &wanted,
      [](const LOGFONTA* font, const TEXTMETRICA*, DWORD, LPARAM context) -> int {
        auto* search = reinterpret_cast<Search*>(context);
        if (lstrcmpiA(font->lfFaceName, search->family) != 0) return 1;
        search->found = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&search), 0);
  ReleaseDC(nullptr, screen);
  return search.found;
}

// "Segoe UI" at 9 points where it is installed, else "Tahoma" 11 pixels
// high at 96 DPI; at `dpi`.
LOGFONTA DesignFontAt(int dpi, bool bold) {
  LOGFONTA font = {};
  const bool ui_font = FamilyInstalled("Segoe UI");
  font.lfHeight = ui_font ? -MulDiv(9, dpi, 72) : -MulDiv(11, dpi, 96);
  font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpynA(font.lfFaceName, ui_font ? "Segoe UI" : "Tahoma", LF_FACESIZE);
  return font;
}

}  // namespace

SIZE ClientSize(HWND window) {
  RECT client = {};
  GetClientRect(window, &client);
  return SIZE{client.right - client.left, client.bottom - client.top};
}

std::optional<TextFit> MeasureTextFit(HWND control, bool bold, std::string& problem) {
  DWORD_PTR answer = 0;
  SetLastError(0);
  if (!SendMessageTimeoutA(control, WM_GETFONT, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer) &&
      GetLastError() != 0) {
    problem =
        "the control does not answer WM_GETFONT (error " + std::to_string(GetLastError()) + ")";
    return std::nullopt;
  }
  // On Windows the font handle names the same font in every process. Wine
  // answers WM_GETFONT from another process with null; the font is then the
  // one the window is designed in, at the control's DPI.
  LOGFONTA description = {};
  const HFONT font = reinterpret_cast<HFONT>(answer);
  if (font == nullptr ||
      GetObjectA(font, sizeof(description), &description) != sizeof(description)) {
    description = DesignFontAt(WindowDpi(control), bold);
  }
  HFONT same = CreateFontIndirectA(&description);
  const std::string text = ReadWindowText(control);
  const TextLayout layout = LayoutOf(control);
  TextFit fit;
  fit.font = std::string(description.lfFaceName) + " " + std::to_string(description.lfHeight);
  fit.room = ClientSize(control);
  fit.room.cx -= layout.reserved_width;
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, same);
  RECT area = {0, 0, fit.room.cx, 0};
  if (!text.empty()) {
    DrawTextA(screen, text.c_str(), static_cast<int>(text.size()), &area,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | layout.flags);
  }
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  DeleteObject(same);
  fit.text = SIZE{area.right - area.left, area.bottom - area.top};
  return fit;
}

}  // namespace tidemark::e2e
