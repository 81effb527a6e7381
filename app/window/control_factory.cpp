#include "app/window/control_factory.h"

#include <commctrl.h>

#include "app/controls/directory_list.h"
#include "app/controls/drive_combo.h"
#include "app/controls/flat_button.h"
#include "app/controls/panel_window.h"
#include "app/controls/picture_control.h"
#include "app/controls/rich_text_view.h"
#include "system/common_controls.h"
#include "system/screen_dpi.h"

namespace tidemark {
namespace {

using layout::ControlSpec;
using layout::Kind;

bool Has(const ControlSpec& spec, uint32_t flag) { return (spec.flags & flag) != 0; }

DWORD CommonStyle(const ControlSpec& spec) {
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  if (!Has(spec, layout::kHidden)) style |= WS_VISIBLE;
  if (Has(spec, layout::kDisabled)) style |= WS_DISABLED;
  if (Has(spec, layout::kFocusable)) style |= WS_TABSTOP;
  return style;
}

HWND CreateStandard(HWND parent, const ControlSpec& spec, const RECT& place,
                    const char* window_class, DWORD style, DWORD ex_style = 0) {
  return CreateWindowExA(ex_style, window_class, spec.text, CommonStyle(spec) | style, place.left,
                         place.top, place.right - place.left, place.bottom - place.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)),
                         reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE)),
                         nullptr);
}

HWND CreatePanelControl(HWND parent, const ControlSpec& spec, const RECT& place) {
  PanelLook look;
  if (Has(spec, layout::kBlack)) look.background = PanelBackground::kBlack;
  DWORD ex_style = WS_EX_CONTROLPARENT;  // Tab moves into the panel's controls
  switch (spec.kind) {
    case Kind::kBevelBox:
      look.edge = PanelEdge::kLoweredBox;
      ex_style = 0;
      break;
    case Kind::kBevelRule:
      look.edge = Has(spec, layout::kRaised) ? PanelEdge::kRaisedRule : PanelEdge::kLoweredRule;
      ex_style = 0;
      break;
    default:
      if (Has(spec, layout::kLoweredEdge)) look.edge = PanelEdge::kLoweredBox;
      break;
  }
  HWND panel =
      CreatePanel(parent, spec.id, place, look, CommonStyle(spec) & ~WS_CLIPSIBLINGS, ex_style);
  if (panel != nullptr && spec.kind == Kind::kPage) SetWindowTextA(panel, spec.text);
  return panel;
}

HWND CreatePicture(HWND parent, const ControlSpec& spec, const RECT& place) {
  DWORD style = 0;
  if (Has(spec, layout::kStretch)) style |= kPictureStretch;
  if (Has(spec, layout::kBlack)) style |= kPictureBlackBackground;
  return CreateStandard(parent, spec, place, kPictureClass, style);
}

HWND CreateLabel(HWND parent, const ControlSpec& spec, const RECT& place) {
  // A one-line label cuts a long text off at its right edge.
  const DWORD style = SS_NOPREFIX | (Has(spec, layout::kWordWrap) ? SS_LEFT : SS_LEFTNOWORDWRAP);
  return CreateStandard(parent, spec, place, "STATIC", style);
}

HWND CreateRichText(HWND parent, const ControlSpec& spec, const RECT& place) {
  RichTextOptions options;
  options.scroll_bar = Has(spec, layout::kScrollBar);
  options.sunken = Has(spec, layout::kSunken);
  options.button_face = Has(spec, layout::kButtonFace);
  options.focusable = Has(spec, layout::kFocusable);
  return CreateRichTextView(parent, spec.id, place, options);
}

HWND CreateProgressBar(HWND parent, const ControlSpec& spec, const RECT& place) {
  HWND bar = CreateStandard(parent, spec, place, PROGRESS_CLASSA, PBS_VERTICAL | PBS_SMOOTH);
  if (bar == nullptr) return nullptr;
  for (size_t i = 0; i < layout::kProgressBarCount; ++i) {
    const layout::ProgressSpec& progress = layout::kProgressBars[i];
    if (progress.bar != spec.id) continue;
    SendMessageA(bar, PBM_SETRANGE32, 0, progress.maximum);
    SendMessageA(bar, PBM_SETSTEP, static_cast<WPARAM>(progress.step), 0);
    SendMessageA(bar, PBM_SETPOS, static_cast<WPARAM>(progress.position), 0);
  }
  return bar;
}

HWND CreateDriveSelector(HWND parent, const ControlSpec& spec, const RECT& place) {
  return CreateDriveCombo(parent, spec.id, place, CommonStyle(spec));
}

HWND CreateFolderList(HWND parent, const ControlSpec& spec, const RECT& place) {
  return CreateDirectoryList(parent, spec.id, place, CommonStyle(spec),
                             Has(spec, layout::kSunken) ? WS_EX_CLIENTEDGE : 0);
}

HWND CreateCheckBox(HWND parent, const ControlSpec& spec, const RECT& place) {
  HWND box = CreateStandard(parent, spec, place, "BUTTON", BS_AUTOCHECKBOX);
  if (box != nullptr && Has(spec, layout::kChecked)) SendMessageA(box, BM_SETCHECK, BST_CHECKED, 0);
  return box;
}

}  // namespace

bool RegisterControlClasses(HINSTANCE instance) {
  INITCOMMONCONTROLSEX common = {};
  common.dwSize = sizeof(common);
  common.dwICC = ICC_PROGRESS_CLASS | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES;
  comctl::InitCommonControlsEx(&common);
  return RegisterPanelClass(instance) && RegisterPictureClass(instance) &&
         RegisterFlatButtonClass(instance);
}

RECT ScaledPlace(const ControlSpec& spec, int dpi) {
  // Edges, not sizes, are scaled: controls that meet at 96 DPI still meet.
  return RECT{ScaleToDpi(spec.left, dpi), ScaleToDpi(spec.top, dpi),
              ScaleToDpi(spec.left + spec.width, dpi), ScaleToDpi(spec.top + spec.height, dpi)};
}

HWND CreateLayoutControl(HWND parent, const ControlSpec& spec, int dpi) {
  const RECT place = ScaledPlace(spec, dpi);
  switch (spec.kind) {
    case Kind::kBevelBox:
    case Kind::kBevelRule:
    case Kind::kPanel:
    case Kind::kPageControl:
    case Kind::kPage:
      return CreatePanelControl(parent, spec, place);
    case Kind::kPicture:
      return CreatePicture(parent, spec, place);
    case Kind::kLabel:
      return CreateLabel(parent, spec, place);
    case Kind::kRichText:
      return CreateRichText(parent, spec, place);
    case Kind::kImageButton:
    case Kind::kTextButton:
      return CreateStandard(parent, spec, place, kFlatButtonClass, 0);
    case Kind::kDriveSelector:
      return CreateDriveSelector(parent, spec, place);
    case Kind::kDirectoryList:
      return CreateFolderList(parent, spec, place);
    case Kind::kEdit:
      return CreateStandard(parent, spec, place, "EDIT", ES_AUTOHSCROLL,
                            Has(spec, layout::kSunken) ? WS_EX_CLIENTEDGE : 0);
    case Kind::kCheckBox:
      return CreateCheckBox(parent, spec, place);
    case Kind::kProgressBar:
      return CreateProgressBar(parent, spec, place);
  }
  return nullptr;
}

ControlTable CreateLayoutControls(HWND window, int dpi) {
  ControlTable controls;
  for (size_t i = 0; i < layout::kControlCount; ++i) {
    const ControlSpec& spec = layout::kControls[i];
    HWND parent = window;
    if (spec.parent != layout::kWindow) {
      parent = controls.Find(spec.parent);
      if (parent == nullptr) continue;
    }
    HWND control = CreateLayoutControl(parent, spec, dpi);
    if (control != nullptr) controls.Add(spec.id, control);
  }
  return controls;
}

void PlaceLayoutControls(const ControlTable& controls, int dpi) {
  for (size_t i = 0; i < layout::kControlCount; ++i) {
    const ControlSpec& spec = layout::kControls[i];
    HWND control = controls.Find(spec.id);
    if (control == nullptr) continue;
    const RECT place = ScaledPlace(spec, dpi);
    if (spec.kind == Kind::kDriveSelector) {
      PlaceDriveCombo(control, place);  // its window also holds the drop-down list
      continue;
    }
    SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

}  // namespace tidemark
