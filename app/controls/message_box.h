// The installer's message boxes: modal, centred on the screen, with a kind
// (title and icon), a text and exactly the buttons asked for, under the
// captions "&Yes", "&No", "OK" and "&Abort". The system's MessageBox cannot
// show a lone "&Abort" button nor use these captions, so every box is a
// small dialog of our own.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "app/report/message_kinds.h"

namespace tidemark {

// The application's title: the caption of a box without a kind and of the
// default error report.
inline constexpr char kApplicationTitle[] = "Installer";

struct BoxRequest {
  std::string title;
  BoxKind icon = BoxKind::kNone;  // the kind whose icon shows; kNone shows none
  std::string text;
  std::vector<BoxButton> buttons;  // left to right; the first is the default
};

// "Warning", "Error", "Information", "Confirm"; kApplicationTitle for kNone.
const char* BoxTitle(BoxKind kind);

const char* ButtonCaption(BoxButton button);

// The dialog identifier of a button (IDYES, IDNO, IDOK, IDABORT; IDCANCEL
// for kClosed).
int ButtonId(BoxButton button);

// `message` with "." appended when its last byte sorts after ".".
std::string WithFullStop(const std::string& message);

// Shows the box and returns the button that answered it, or kClosed when
// Escape, the close button or Alt+F4 closed it. `owner` may be null.
BoxButton ShowBox(HWND owner, const BoxRequest& request);

// A box of `kind`: its title and icon follow the kind.
BoxButton ShowMessage(HWND owner, BoxKind kind, const std::string& text,
                      std::vector<BoxButton> buttons);

// The default error report: "Installer", the error icon, "OK", and the
// message with a full stop added by WithFullStop.
void ShowErrorReport(HWND owner, const std::string& message);

}  // namespace tidemark
