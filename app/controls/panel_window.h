// Plain containers of the installer window: panels, the page control, its
// pages and the bevels. They paint their background and edge and pass every
// notification of their children on to the top-level window, which binds
// the event handlers.
#pragma once

#include <windows.h>

namespace tidemark {

inline constexpr char kPanelClass[] = "TidemarkPanel";

enum class PanelBackground { kButtonFace, kBlack };
enum class PanelEdge {
  kNone,
  kLoweredBox,   // one-pixel frame: shadow top and left, highlight bottom and right
  kLoweredRule,  // shadow line above a highlight line
  kRaisedRule,   // highlight line above a shadow line
};

struct PanelLook {
  PanelBackground background = PanelBackground::kButtonFace;
  PanelEdge edge = PanelEdge::kNone;
};

bool RegisterPanelClass(HINSTANCE instance);

// Creates a panel; `style` adds to WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS.
HWND CreatePanel(HWND parent, int id, const RECT& place, PanelLook look, DWORD style,
                 DWORD ex_style);

// The background brush of a panel (a system or stock brush, never deleted).
HBRUSH PanelBrush(PanelBackground background);

// The colours that static texts, check boxes and read-only fields get on a
// container of the installer window: window-text colour on `brush`.
LRESULT ColourStaticChild(HDC dc, HBRUSH brush);

}  // namespace tidemark
