// Reparse points (symbolic links, junctions, mount points) on the way to
// what an elevated installer writes or deletes: below a folder it trusts,
// nothing is created, written or deleted through one.
#pragma once

#include <optional>
#include <string>

namespace tidemark {

// Whether the entry at `path` is itself a reparse point; false when nothing
// is there.
bool IsReparsePoint(const std::string& path);

// The first reparse point on the way from `base` down to `base` + "\\" +
// `relative`: each component of `relative` in turn (split at every "\\"
// that is a character of its own in the ANSI code page, and at every "/"),
// as its full path; none when every existing component is a plain folder or
// file. `base` itself is not looked at: it is the caller's trusted folder
// (the install folder, checked on its own before the installation; a shell
// folder, which may well be redirected). The walk ends at the first
// component that does not exist, since nothing below it can. This is the
// check before an entry is created, written or deleted: a path it names is
// refused (at install) or only that link itself removed (at uninstall,
// RemoveEntryItself).
std::optional<std::string> FirstReparsePointOnTheWay(const std::string& base,
                                                     const std::string& relative);

// Removes the entry at `path` itself, never what a link points to and never
// a folder's contents: a file or a file link is deleted (a read-only file
// too), a folder link or an empty folder removed. True when nothing is
// there afterwards (also when nothing was there).
bool RemoveEntryItself(const std::string& path);

}  // namespace tidemark
