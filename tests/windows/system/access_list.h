// What a file's access list, read back from the file system, lets others do.
#pragma once

#include <string>

namespace tidemark::testing {

// Which entries of the access list of `path` let anyone but SYSTEM and the
// administrators (or, under Wine, the owner that stands for them) change
// it: everyone, the users, the authenticated users. Empty when none does;
// a text in parentheses when the list cannot be read or there is none.
std::string OthersWhoMayChange(const std::string& path);

}  // namespace tidemark::testing
