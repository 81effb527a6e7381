// The small icons of the drive selector and the directory list, drawn with
// plain GDI shapes so that they look the same on every system.
#pragma once

#include <windows.h>

#include "rules/directory_entries.h"
#include "system/drives.h"

namespace tidemark {

// Width and height of every icon.
inline constexpr int kSmallIconSize = 16;

// Draws the icon with its top-left corner at `left`, `top`.
void DrawFolderIcon(HDC dc, int left, int top, FolderIcon icon);
void DrawDriveIcon(HDC dc, int left, int top, DriveKind kind);

}  // namespace tidemark
