// The deleting part of the uninstall run: what the install log lists goes,
// last entry first, and the folders that this leaves empty go with it.
#pragma once

#include <functional>

#include "rules/install_log.h"
#include "rules/uninstall_plan.h"

namespace tidemark {

// Deletes the file of every entry, from the last to the first, and after
// each one removes the folders of `scope` that it may have emptied,
// innermost first. An entry that is not an absolute path is not deleted: it
// would name a file in whatever folder happens to be current. Files that
// cannot be deleted and folders that are not empty stay, without a word.
// `after_entry` runs once per entry, whatever became of it.
void RemoveLoggedPaths(const InstallLog& log, const PruningScope& scope,
                       const std::function<void()>& after_entry);

}  // namespace tidemark
