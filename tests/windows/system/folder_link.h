// Folder links for the tests, made as an attacker without rights would.
#pragma once

#include <string>

namespace tidemark::testing {

// Makes `link` a symbolic link to the folder `target`. Under Wine, whose
// CreateSymbolicLinkA reports success without making anything, a Unix
// symbolic link is made by running ln (Wine starts Unix programs), which
// Wine shows as a folder that is a reparse point, as a junction is on
// Windows. True when the link exists afterwards.
bool MakeFolderLink(const std::string& link, const std::string& target);

}  // namespace tidemark::testing
