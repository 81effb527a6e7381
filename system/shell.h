// Starting a file through the shell, by its type's default action.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace tidemark {

// The longest file or parameter text ShellRun passes on, in characters.
inline constexpr size_t kShellRunTextLimit = 1024;

// Starts `file` with `parameters` (may be empty) in the process's current
// folder; `show_command` is an SW_ value and `owner` the window that owns
// any message the shell shows. True when the shell accepted the request.
// A text longer than kShellRunTextLimit is refused (false) without a call.
bool ShellRun(const std::string& file, const std::string& parameters, int show_command, HWND owner);

}  // namespace tidemark
