// Snapshots of what a case may change on the machine: a folder tree or a
// machine-wide registry key, so that a case can check that an installation
// followed by its removal left them as they were.
#pragma once

#include <map>
#include <string>
#include <vector>

namespace tidemark::e2e {

// Everything a snapshot holds: a path (a file, a folder, a key or a value)
// and what was found there.
using SnapshotEntries = std::map<std::string, std::string>;

// Every folder and file below `root`. Files are described by their size and
// last write time; folders only by being there, since their times change
// with every entry made in them and removed again. Paths at or below any of
// `except` (compared without regard to case) are left out: the system's own
// scratch files. Raises std::runtime_error when `root` cannot be listed.
SnapshotEntries SnapshotFolder(const std::string& root, const std::vector<std::string>& except);

// Every sub-key and value below HKEY_LOCAL_MACHINE\`key`, values by type and
// data. A missing key gives no entries.
SnapshotEntries SnapshotMachineKey(const std::string& key);

// One line per difference, in path order: "added PATH (what)", "removed
// PATH (what)" or "changed PATH: before -> after". None when both are equal.
std::vector<std::string> SnapshotDifferences(const SnapshotEntries& before,
                                             const SnapshotEntries& after);

}  // namespace tidemark::e2e
