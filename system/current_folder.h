// The process's current directory, which the directory list moves: entering
// folders, the current directory of each drive, and the folders inside one.
#pragma once

#include <string>
#include <vector>

namespace tidemark {

// The process's current directory.
std::string CurrentFolder();

// Makes `folder` the process's current directory and returns it in
// current-directory form (no trailing "\" except at a root). It also becomes
// its drive's current directory, as the C runtime keeps it, so that choosing
// the drive again leads back to it. Raises Error, naming the folder and the
// system's reason, when the folder cannot be entered; the current directory
// stays as it was.
std::string EnterFolder(const std::string& folder);

// The current directory of drive `letter`: the folder last entered on it, or
// its root.
std::string DriveCurrentFolder(char letter);

// The names of the folders directly inside `folder`, sorted by name without
// regard to case. Hidden and system folders are left out, as are "." and
// "..". A folder that cannot be listed has none.
std::vector<std::string> SubfolderNames(const std::string& folder);

}  // namespace tidemark
