#include "app/file_items_step.h"

#include <string>

#include "app/install.h"
#include "app/message_box.h"
#include "app/progress_meter.h"
#include "container/buffered_source.h"
#include "container/items.h"
#include "rules/file_entry.h"
#include "rules/path_rules.h"
#include "system/file_system.h"
#include "system/path.h"

namespace tidemark {
namespace {

// A file this large takes long enough for its name to be shown at once.
constexpr int32_t kNamedAtOnce = 1 << 20;

bool AbortInstallation(TfrmInstall& form) {
  ShowMessage(form.handle(), BoxKind::kError, "Could not install file - aborting installation",
              {BoxButton::kAbort});
  form.RequestProgramEnd();
  return false;
}

}  // namespace

bool InstallFileItems(TfrmInstall& form, int32_t count) {
  PacedProgress display(form.handle(), form.Control(ids::kMtrProgress),
                        form.Control(ids::kLabInstallingFile));
  const ProgressFn progress = display.Advance();
  // The items are read with ordinary reads of the file, so that a medium
  // that goes away ends in an error report rather than a fault in a mapped
  // page. A scrambled container is already descrambled whole in memory.
  BufferedSource file_reads(form.exeFile, form.exeImage.Position());
  ByteSource& items = form.scrambled ? static_cast<ByteSource&>(form.exeImage) : file_reads;
  std::string made_folder;
  for (int32_t i = 1; i <= count; ++i) {
    const FileEntry entry = SplitFileEntry(form.controlInfo.Value(FileEntryKey(i)));
    display.Announce("Installing : " + entry.name);
    // A missing line or a size that is not a number stops the run here,
    // before anything is made for the file.
    const int32_t size = entry.Size();
    if (size >= kNamedAtOnce) display.Show();
    // Only the packer's names are trusted to stay inside the install
    // folder; an absolute name, a drive or ".." would write elsewhere.
    if (!IsSafeRelativeName(entry.name, IsAnsiLeadByte)) {
      display.Paint();
      return AbortInstallation(form);
    }

    const std::string path = JoinPath(form.installFolder, entry.name);
    // The packer lists the files folder by folder: a folder is made once
    // for the files that follow in it.
    const std::string folder = AnsiFolderPart(path);
    if (folder != made_folder) {
      ForceDirectories(folder);
      made_folder = folder;
    }
    // Logged first, so that a file that fails half-way is listed too.
    form.installLog.Append(path);
    InflateItemToFile(items, path, size, progress);
    if (!FileExists(path)) {
      display.Paint();
      return AbortInstallation(form);
    }
  }
  return true;
}

}  // namespace tidemark
