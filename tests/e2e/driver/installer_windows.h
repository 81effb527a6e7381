// Finding and reading the windows of the installer process: its main window
// (class TfrmInstall), the controls in it by identifier, the visible page,
// and its message boxes (any other visible top-level window of the process).
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace tidemark::e2e {

// Visible top-level windows of the process, in z-order.
std::vector<HWND> VisibleTopLevelWindows(DWORD process_id);

// The visible main window of the process, or null.
HWND FindMainWindow(DWORD process_id);

// Visible top-level windows of the process other than its main window and
// the application's window.
std::vector<HWND> FindBoxes(DWORD process_id);

// The windows of the process that the taskbar and Alt+Tab show: visible,
// top-level, and either unowned and no tool window, or marked as an
// application window.
std::vector<HWND> TaskbarWindows(DWORD process_id);


// The descendant of `parent` with this control identifier, or null.
HWND FindControl(HWND parent, int id);

// Identifiers of the pages of `main_window` that are visible now.
std::vector<int> VisiblePageIds(HWND main_window);

// The window's text as the window itself reports it (WM_GETTEXT), with
// CR LF and lone CR turned into LF. Empty when the window does not answer.
std::string ReadWindowText(HWND window);
std::string ReadClassName(HWND window);

// The item texts of a list box or a combo box, in order; empty for any other
// window or one that does not answer.
std::vector<std::string> ReadListItems(HWND control);

struct BoxContent {
  std::string title;
  std::string text;                  // the box's static texts, joined by LF
  std::vector<std::string> buttons;  // captions of its visible buttons
};
BoxContent ReadBox(HWND box);

// The visible button of `box` whose caption is `caption`, or null.
HWND FindBoxButton(HWND box, const std::string& caption);

}  // namespace tidemark::e2e
