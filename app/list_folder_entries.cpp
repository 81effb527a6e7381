#include "app/list_folder_entries.h"

#include <cstdint>

#include "app/message_loop.h"
#include "rules/path_rules.h"
#include "system/file_system.h"

namespace tidemark {
namespace {

// The attribute bit that marks a volume label (FAT's old label entry).
constexpr uint32_t kVolumeLabelAttribute = 8;

bool IsListed(const std::string& name, uint32_t attributes) {
  if ((attributes & kVolumeLabelAttribute) != 0) return false;
  return name != "." && name != "..";
}

}  // namespace

void ListFolderEntries(const std::string& folder, std::vector<std::string>& list, HWND window) {
  ForEachFolderEntry(folder, [&](const std::string& name, uint32_t attributes) {
    HandlePendingMessages(window);
    if (IsListed(name, attributes)) list.push_back(JoinPath(folder, name));
  });
}

}  // namespace tidemark
