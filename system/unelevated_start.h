// Starting a program as the person who started the installer: an elevated
// installer hands the start to the desktop shell's own process, which runs
// with that person's ordinary rights.
#pragma once

#include <windows.h>

#include <string>

namespace tidemark {

// Whether this process runs elevated (with its administrator rights in
// force); false when the system cannot tell.
bool IsProcessElevated();

// Asks the desktop shell's process to start `file` with `parameters` in
// `folder` (`show_command` an SW_ value), through the shell's dispatch
// object reached by the desktop's shell view. True when a shell answered and
// took the request; false when none runs or any step refuses.
bool ShellExecuteThroughDesktop(const std::string& file, const std::string& parameters,
                                const std::string& folder, int show_command);

// Starts `file` without parameters in this process's current folder: when
// the process is elevated through the desktop shell, unelevated; where no
// shell answers, or the process is not elevated, with ShellRun (`owner`
// owns any message the shell shows). True when the start was accepted.
bool StartAsDesktopUser(const std::string& file, int show_command, HWND owner);

}  // namespace tidemark
