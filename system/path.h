// Path rules bound to the system's ANSI code page.
#pragma once

#include <string>

namespace tidemark {

// Whether `byte` starts a double-byte character in the ANSI code page; the
// lead-byte predicate for the portable path rules.
bool IsAnsiLeadByte(unsigned char byte);

// The folder part of `path` (up to and including its last "\" or ":"),
// where a separator byte that is the second byte of a double-byte character
// in the ANSI code page does not count.
std::string AnsiFolderPart(const std::string& path);

}  // namespace tidemark
