// The directory list: the path from the drive root down to the current
// folder, then the current folder's subfolders, each entry with a folder icon
// and indented by its level. A single click only highlights an entry; a
// double click or Enter opens it. Every move enters the folder, makes it the
// process's current directory and tells the parent (WM_COMMAND with
// kDirectoryListChanged), which runs the list's change event.
//
// It is a list box drawn by itself (owner-drawn, with the entries' texts
// kept), so that tools which read list boxes see the entries.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace tidemark {

// The notification code of the change event in WM_COMMAND.
inline constexpr WORD kDirectoryListChanged = 0x0400;

// Height of one entry at 96 DPI; it grows with the list's DPI.
inline constexpr int kDirectoryEntryHeight = 16;

// Creates the list on the process's current directory. `style` adds to
// WS_CHILD; null when Windows refused the window.
HWND CreateDirectoryList(HWND parent, int id, const RECT& place, DWORD style, DWORD ex_style);

// The current folder, in current-directory form; empty for a window that is
// not a directory list.
std::string DirectoryListFolder(HWND list);

// Moves the list to `folder`. Moving to the folder already shown does
// nothing. Raises Error when the folder cannot be entered (or `list` is not
// a directory list); the list stays as it was. Returns whether the current
// folder changed; the change event has run then.
bool MoveDirectoryList(HWND list, const std::string& folder);

// Opens entry `index` as a double click does; a folder that cannot be
// entered is shown by the default error report.
void OpenDirectoryEntry(HWND list, int index);

// Called with the new folder after every move, before the change event
// (the drive selector's side of their binding).
using FolderMoveListener = std::function<void(const std::string& folder)>;
void SetDirectoryListListener(HWND list, FolderMoveListener listener);

}  // namespace tidemark
