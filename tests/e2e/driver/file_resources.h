// Reading what Explorer shows of a program file: its version information
// and its icon, through the same calls Explorer makes.
#pragma once

#include <optional>
#include <string>

namespace tidemark::e2e {

// The version text `name` (ProductName, FileVersion, ...) from the US
// English, Unicode string table, or with `name` "fixed" the fixed part's
// file version as "a.b.c.d"; none when the file or the text is missing.
std::optional<std::string> ReadVersionText(const std::string& path, const std::string& name);

// The top-left pixel of the program's first large icon as "R,G,B"; none
// when the file has no icon.
std::optional<std::string> ReadIconCorner(const std::string& path);

}  // namespace tidemark::e2e
