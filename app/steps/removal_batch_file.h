// Removing the uninstaller once it has ended: a batch file, started as the
// program leaves, deletes the uninstaller, its folder if empty, and itself.
#pragma once

#include <windows.h>

#include <string>

namespace tidemark {

// Writes the removal batch for `uninstaller_path` to its fixed place and
// starts it minimised through the shell, with `owner` owning any message
// the shell shows. Nothing is written for a path that no batch can name
// safely. Raises Error("Cannot create file ...") when the batch cannot be
// created; a batch that does not start is not reported.
void StartRemovalBatch(const std::string& uninstaller_path, HWND owner);

}  // namespace tidemark
