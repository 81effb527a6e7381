// The default error report around an action: an error that the action does
// not catch ends it and is shown in the "Installer" box, and the window stays
// as it was. Used by the window's handlers and by controls that act on their
// own (the drive selector and the directory list).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace tidemark {

// Runs `action`; the message of an error that it does not catch ("Out of
// memory" for memory, "Unknown error" for what is no exception), or nothing
// when it ends normally. The default error report shows that message.
std::optional<std::string> RunCatchingErrors(const std::function<void()>& action);

void RunReportingErrors(HWND owner, const std::function<void()>& action);

}  // namespace tidemark
