// A hidden top-level window to hold controls under test; it records the
// WM_COMMAND notifications that reach it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tidemark::testing {

struct Command {
  int id;
  int code;
  HWND sender;
};

class TestWindow {
 public:
  TestWindow();
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND handle() const { return window_; }
  const std::vector<Command>& commands() const { return commands_; }

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  HWND window_ = nullptr;
  std::vector<Command> commands_;
};

std::string TextOf(HWND window);
std::string ClassOf(HWND window);

// `window`'s place in its parent's client area.
RECT PlaceInParent(HWND window);

}  // namespace tidemark::testing
