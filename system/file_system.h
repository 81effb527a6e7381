// Files and folders: existence tests, creation, quiet removal and listing.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tidemark {

// The path exists and is a folder.
bool FolderExists(const std::string& path);

// A file (not a folder) exists at exactly this path. Wildcards name no
// file, so a path holding "*" or "?" never exists.
bool FileExists(const std::string& path);

// Creates the folder with every missing parent; trailing separators are
// ignored. True when the folder exists afterwards.
bool ForceDirectories(const std::string& path);

// Creates one folder whose parent exists. True on success.
bool CreateSingleFolder(const std::string& path);

// Deletes a file; true on success. Failures are the caller's to ignore.
bool DeleteFileQuiet(const std::string& path);

// Removes a folder if it is empty; true on success.
bool RemoveFolderQuiet(const std::string& path);

// Calls `on_entry` with the name and attributes of every entry that a search
// for `folder` + "\*.*" returns, in the file system's order, "." and ".."
// and volume labels included. A missing folder calls nothing.
using FolderEntryFn = std::function<void(const std::string& name, uint32_t attributes)>;
void ForEachFolderEntry(const std::string& folder, const FolderEntryFn& on_entry);

}  // namespace tidemark
