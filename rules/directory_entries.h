// What the directory list shows for one current folder: the path from the
// root down, one entry per level, then the folder's subfolders.
#pragma once

#include <string>
#include <vector>

#include "rules/path_rules.h"

namespace tidemark {

enum class FolderIcon {
  kOpen,     // the root and the folders above the current one
  kCurrent,  // the current folder
  kClosed,   // a subfolder of the current folder
};

struct DirectoryEntry {
  std::string text;  // the root as "C:\", otherwise the folder's own name
  std::string path;  // the folder, in current-directory form
  int level = 0;     // indentation: 0 for the root
  FolderIcon icon = FolderIcon::kClosed;
};

// The drive letter of a path that starts with one ("C:..."), in upper case;
// 0 for any other path.
char DriveLetterOf(const std::string& path);

// The root of an absolute path, with its backslash: "C:\" for "C:\A\B",
// "\\server\share\" for "\\server\share\A". A path of another form is its
// own root.
std::string FolderRoot(const std::string& path, LeadBytePredicate is_lead_byte = nullptr);

// The folder `name` inside `folder`, as the current directory names it: one
// "\" between them, none added after a root that already ends with one.
std::string SubfolderPath(const std::string& folder, const std::string& name,
                          LeadBytePredicate is_lead_byte = nullptr);

// The entries for `current` (current-directory form: no trailing "\" except
// at a root) and its `subfolders` (names, in the order to show).
std::vector<DirectoryEntry> DirectoryEntries(const std::string& current,
                                             const std::vector<std::string>& subfolders,
                                             LeadBytePredicate is_lead_byte = nullptr);

// The position of the current folder's entry in `entries`.
size_t CurrentEntryIndex(const std::vector<DirectoryEntry>& entries);

}  // namespace tidemark
