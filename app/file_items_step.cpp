#include "app/file_items_step.h"

#include <string>

#include "app/install.h"
#include "app/message_box.h"
#include "app/message_loop.h"
#include "app/progress_meter.h"
#include "container/items.h"
#include "rules/file_entry.h"
#include "rules/path_rules.h"
#include "system/file_system.h"
#include "system/path.h"

namespace tidemark {
namespace {

bool AbortInstallation(TfrmInstall& form) {
  ShowMessage(form.handle(), BoxKind::kError, "Could not install file - aborting installation",
              {BoxButton::kAbort});
  form.RequestProgramEnd();
  return false;
}

}  // namespace

bool InstallFileItems(TfrmInstall& form, int32_t count) {
  const ProgressFn progress = AdvanceProgressMeter(form.Control(ids::kMtrProgress));
  for (int32_t i = 1; i <= count; ++i) {
    const FileEntry entry = SplitFileEntry(form.controlInfo.Value(FileEntryKey(i)));
    form.SetControlText(ids::kLabInstallingFile, "Installing : " + entry.name);
    HandlePendingMessages(form.handle());
    // A missing line or a size that is not a number stops the run here,
    // before anything is made for the file.
    const int32_t size = entry.Size();
    // Only the packer's names are trusted to stay inside the install
    // folder; an absolute name, a drive or ".." would write elsewhere.
    if (!IsSafeRelativeName(entry.name, IsAnsiLeadByte)) return AbortInstallation(form);

    const std::string path = JoinPath(form.installFolder, entry.name);
    ForceDirectories(AnsiFolderPart(path));
    // Logged first, so that a file that fails half-way is listed too.
    form.installLog.Append(path);
    InflateItemToFile(form.exeImage, path, size, progress);
    if (!FileExists(path)) return AbortInstallation(form);
  }
  return true;
}

}  // namespace tidemark
