// The default error report around an action: an error that the action does
// not catch ends it and is shown in the "Installer" box, and the window stays
// as it was. Used by the window's handlers and by controls that act on their
// own (the drive selector and the directory list).
#pragma once

#include <windows.h>

#include <functional>

namespace tidemark {

void RunReportingErrors(HWND owner, const std::function<void()>& action);

}  // namespace tidemark
