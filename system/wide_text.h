// UTF-16 text for the wide Win32 and COM calls.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tidemark {

// Converts text in the system's ANSI code page to UTF-16, NUL-terminated
// (empty text, or text that does not convert, gives just the NUL).
std::vector<wchar_t> AnsiToWideChars(const std::string& text);

// The first `length` characters of `wide` in the code page `code_page`
// (CP_ACP, CP_OEMCP, ...); none when one of them has no exact counterpart
// there, or when `length` is not above 0.
std::optional<std::string> WideToCodePage(const wchar_t* wide, int length, unsigned code_page);

// The same as a wide string, without the terminating NUL. Defined in an
// object of its own: the stub needs only AnsiToWideChars, and any use of
// std::wstring links all of libstdc++'s wide string (about 24 KB).
std::wstring AnsiToWide(const std::string& text);

}  // namespace tidemark
