#include "app/removal_batch_file.h"

#include <exception>
#include <optional>

#include "app/current_folder.h"
#include "app/whole_file.h"
#include "rules/removal_batch.h"
#include "system/path.h"
#include "system/shell.h"

namespace tidemark {

void StartRemovalBatch(const std::string& uninstaller_path, HWND owner) {
  const std::optional<std::string> text = RemovalBatchText(uninstaller_path, IsAnsiLeadByte);
  if (!text) return;
  WriteNewFile(kRemovalBatchPath, *text);
  // The batch starts in this program's current folder, and the command
  // interpreter cannot remove the folder it stands in; the uninstaller's
  // folder may well be that one.
  try {
    EnterFolder(AnsiFolderPart(kRemovalBatchPath));
  } catch (const std::exception&) {
    // The batch then still deletes the uninstaller and itself.
  }
  ShellRun(kRemovalBatchPath, "", SW_SHOWMINIMIZED, owner);
}

}  // namespace tidemark
