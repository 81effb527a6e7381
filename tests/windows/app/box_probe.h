// Looking at a modal box while it is open: a timer of the calling thread
// finds the box once it shows, records what it shows and then answers it.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "app/controls/message_box.h"

namespace tidemark::testing {

// What a probe saw of a box while it was open.
struct SeenBox {
  std::string title;
  std::string text;
  std::vector<std::string> buttons;  // captions, left to right
  std::string default_button;
  bool has_icon = false;
  RECT frame = {};
};

class BoxProbe {
 public:
  // Shows the box of `request` and answers it with `answer`.
  BoxButton Show(const BoxRequest& request, std::function<void(HWND box)> answer);
  // Runs `show`, which is expected to open one box, and answers that box.
  void Run(const std::function<void()>& show, std::function<void(HWND box)> answer);
  const SeenBox& seen() const { return seen_; }
  bool saw_box() const { return done_; }

 private:
  static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD);
  static BOOL CALLBACK RecordChild(HWND child, LPARAM probe);

  static BoxProbe* current_;
  std::function<void(HWND)> answer_;
  bool done_ = false;
  SeenBox seen_;
};

// Answers by keyboard, as the user would, through the focused control.
void PressKey(HWND box, WPARAM key);
// Clicks the box's button with this caption.
void ClickButton(HWND box, const char* caption);

}  // namespace tidemark::testing
