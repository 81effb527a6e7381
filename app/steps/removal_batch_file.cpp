#include "app/steps/removal_batch_file.h"

#include <optional>

#include "app/steps/whole_file.h"
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
  // Should this fail, the batch still deletes the uninstaller and itself.
  SetCurrentDirectoryA(AnsiFolderPart(kRemovalBatchPath).c_str());
  ShellRun(kRemovalBatchPath, "", SW_SHOWMINIMIZED, owner);
}

}  // namespace tidemark
