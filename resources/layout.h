// The installer window's layout as data: one row per control, in creation
// order. A parent always comes before its children. Where two siblings
// overlap, the earlier row lies above the later one (Windows keeps siblings
// in creation order, which is also the keyboard order), so the rows of a
// few overlapping controls come earlier than the spoken order of the page
// would put them. Sizes and places are pixels at 96 pixels per inch; the
// window scales them to the DPI it is on.
#pragma once

#include <cstddef>
#include <cstdint>

#include "resources/control_ids.h"

namespace tidemark::layout {

// Client area of the window at 96 DPI.
inline constexpr int kClientWidth = 596;
inline constexpr int kClientHeight = 317;

enum class Kind {
  kBevelBox,       // one-pixel box frame
  kBevelRule,      // two-pixel horizontal rule
  kPicture,        // a decoded image, stretched or clipped
  kPanel,          // plain container
  kPageControl,    // holder of the pages; its tab row is never shown
  kPage,           // one wizard page; rows in page order, text = caption
  kLabel,          // static text
  kRichText,       // read-only rich-text view
  kImageButton,    // flat 38 x 38 button showing one image; its text is the hint
  kTextButton,     // flat button showing its text
  kDriveSelector,  // drop-down list of drives
  kDirectoryList,  // list of folders
  kEdit,           // one-line edit field
  kCheckBox,
  kProgressBar,  // vertical, smooth
};

enum Flag : uint32_t {
  kNone = 0,
  kWordWrap = 1u << 0,      // label text wraps at word boundaries
  kDisabled = 1u << 1,      // created disabled (greyed, or inert for a panel)
  kBold = 1u << 2,          // bold variant of the window font
  kHidden = 1u << 3,        // created invisible
  kRaised = 1u << 4,        // bevel drawn raised instead of lowered
  kBlack = 1u << 5,         // black background
  kLoweredEdge = 1u << 6,   // panel with a lowered one-pixel bevel
  kStretch = 1u << 7,       // picture stretched to fill; otherwise clipped at top-left
  kScrollBar = 1u << 8,     // vertical scroll bar
  kSunken = 1u << 9,        // sunken three-dimensional border
  kFocusable = 1u << 10,    // a Tab stop
  kChecked = 1u << 11,      // check box initially checked
  kButtonFace = 1u << 12,   // button-face background (rich-text view)
  kTransparent = 1u << 13,  // text drawn without its own background
};

// The parent of the header controls and of Panel1.
inline constexpr int kWindow = 0;

struct ControlSpec {
  ids::ControlId id;
  int parent;  // a ControlId, or kWindow
  Kind kind;
  int left, top, width, height;  // in the parent's client area
  const char* text;              // caption, label text, or an image button's hint
  uint32_t flags;
  const char* name;  // the control's name, for diagnostics and tests
};

// Every control of the window, in creation order.
extern const ControlSpec kControls[];
extern const size_t kControlCount;

// The row of a control; null when the id names none.
const ControlSpec* FindControl(int id);

// Images of the image list imgIcons, 32 x 32 pixels each.
enum ButtonImage : int {
  kImageForward = 0,  // grey triangle: Next, Accept
  kImageStart = 1,    // blue triangle: Install Now, Uninstall
  kImageExit = 2,     // grey X: every Exit button
  kImageDone = 3,     // blue check: the final OK of both chains
};
inline constexpr int kButtonImageSize = 32;
inline constexpr int kButtonImageCount = 4;

struct ButtonImageSpec {
  ids::ControlId button;
  ButtonImage image;
};
// The order in which start-up gives the image buttons their images.
extern const ButtonImageSpec kButtonImages[];
extern const size_t kButtonImageAssignments;

struct ProgressSpec {
  ids::ControlId bar;
  int maximum;  // the minimum is always 0
  int position;
  int step;
};
extern const ProgressSpec kProgressBars[];
extern const size_t kProgressBarCount;

// The design font, and the font used instead when it is installed.
inline constexpr char kDesignFontName[] = "Tahoma";
inline constexpr int kDesignFontPixels = 11;
inline constexpr char kUiFontName[] = "Segoe UI";
inline constexpr int kUiFontPoints = 9;

}  // namespace tidemark::layout
