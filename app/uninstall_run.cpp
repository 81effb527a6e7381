#include "app/uninstall_run.h"

#include <string>

#include "rules/path_rules.h"
#include "system/file_system.h"
#include "system/path.h"

namespace tidemark {

void RemoveLoggedPaths(const InstallLog& log, const PruningScope& scope,
                       const std::function<void()>& after_entry) {
  for (size_t i = log.size(); i-- > 0;) {
    const std::string& entry = log[i];
    if (IsAbsolutePath(entry)) DeleteFileQuiet(entry);
    for (const std::string& folder : FoldersToPrune(entry, scope, IsAnsiLeadByte)) {
      RemoveFolderQuiet(folder);
    }
    after_entry();
  }
}

}  // namespace tidemark
