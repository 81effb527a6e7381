// The system's own wording for error codes, as shown to the user after a
// file path ("Cannot create file "...". <reason>").
#pragma once

#include <windows.h>

#include <string>

namespace tidemark {

// The system's text for a Win32 error code (or an HRESULT), without the line
// break and blanks that FormatMessage leaves at its end. Empty when the
// system has no text for the code.
std::string SystemErrorText(DWORD code);

// SystemErrorText(GetLastError()); call it before anything else can change
// the thread's last error.
std::string LastErrorText();

// The system's description of an HRESULT, or "OLE error %.8x" when it has
// none.
std::string OleErrorText(HRESULT result);

}  // namespace tidemark
