#include "app/steps/removal_batch_file.h"

#include <optional>

#include "rules/removal_batch.h"
#include "system/console_text.h"
#include "system/path.h"
#include "system/protected_file.h"
#include "system/shell.h"

namespace tidemark {

void StartRemovalBatch(const std::string& uninstaller_path, HWND owner) {
  // The command interpreter reads the batch in the OEM code page.
  char system_folder[MAX_PATH] = "";
  const UINT length = GetSystemDirectoryA(system_folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return;
  const std::optional<std::string> text =
      RemovalBatchText(PathForCommandInterpreter(uninstaller_path),
                       PathForCommandInterpreter(system_folder), IsOemLeadByte);
  if (!text) return;
  // The batch runs elevated: no other user may change it before it starts.
  WriteAdministratorsOnlyFile(kRemovalBatchPath, *text);
  // The batch starts in this program's current folder, and the command
  // interpreter cannot remove the folder it stands in; the uninstaller's
  // folder may well be that one.
  // Should this fail, the batch still deletes the uninstaller and itself.
  SetCurrentDirectoryA(AnsiFolderPart(kRemovalBatchPath).c_str());
  ShellRun(kRemovalBatchPath, "", SW_SHOWMINIMIZED, owner);
}

}  // namespace tidemark
