#include "app/steps/uninstall_run.h"

#include <cstdint>
#include <string>

#include "app/message_loop.h"
#include "rules/path_rules.h"
#include "system/file_system.h"
#include "system/path.h"

namespace tidemark {
namespace {

// The attribute bit that marks a volume label (FAT's old label entry).
constexpr uint32_t kVolumeLabelAttribute = 8;

bool IsListed(const std::string& name, uint32_t attributes) {
  if ((attributes & kVolumeLabelAttribute) != 0) return false;
  return name != "." && name != "..";
}

}  // namespace

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

void ListFolderEntries(const std::string& folder, std::vector<std::string>& list, HWND window) {
  ForEachFolderEntry(folder, [&](const std::string& name, uint32_t attributes) {
    HandlePendingMessages(window);
    if (IsListed(name, attributes)) list.push_back(JoinPath(folder, name));
  });
}

}  // namespace tidemark
