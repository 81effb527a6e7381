// Text for the command interpreter, which reads batch files in the OEM code
// page (the console's), not in the ANSI code page of everything else.
#pragma once

#include <optional>
#include <string>

namespace tidemark {

// `text` (ANSI code page) in the OEM code page, or none when some character
// has no exact counterpart there.
std::optional<std::string> ToOemCodePage(const std::string& text);

// A path of an existing file or folder as the command interpreter must read
// it: converted to the OEM code page; where that cannot hold a character,
// the path's short (8.3) form converted instead; where neither converts,
// the path as it is.
std::string PathForCommandInterpreter(const std::string& ansi_path);

// Whether `byte` starts a double-byte character in the OEM code page.
bool IsOemLeadByte(unsigned char byte);

}  // namespace tidemark
