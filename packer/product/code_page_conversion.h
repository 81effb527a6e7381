// The system's conversion between UTF-8 and a Windows code page: iconv in
// the native tree, the Win32 functions in the Windows one.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tidemark {

// Converts `input` from UTF-8 to code page `code_page` (`to_code_page`) or
// back, appending to `output`, as far as it can: returns how many bytes of
// `input` it used, less than all when it meets a character it cannot
// convert exactly. UTF-8 input must be valid UTF-8.
size_t ConvertText(int code_page, bool to_code_page, std::string_view input, std::string& output);

}  // namespace tidemark
