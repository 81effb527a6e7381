// Whether a control's text fits the control: measured in the control's own
// font, laid out as the control lays it out (a word-wrapping label in lines
// as wide as the control, a one-line label, a check box or a button on one
// line beside what else it draws).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tidemark::e2e {

struct TextFit {
  SIZE text = {0, 0};  // the extent of the laid-out text
  SIZE room = {0, 0};  // the room the control gives it
  std::string font;    // face and character height, for reports
  bool fits() const { return text.cx <= room.cx && text.cy <= room.cy; }
};

// `bold` says that the control is designed in the bold variant of the
// window's font. Null, with `problem` saying why, when the control does
// not answer.
std::optional<TextFit> MeasureTextFit(HWND control, bool bold, std::string& problem);

// The client area's width and height.
SIZE ClientSize(HWND window);

}  // namespace tidemark::e2e
