#include "app/steps/file_items_step.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/steps/shortcut_step.h"
#include "app/steps/whole_file.h"
#include "container/buffered_source.h"
#include "container/certificate_table.h"
#include "container/errors.h"
#include "container/items.h"
#include "rules/file_entry.h"
#include "rules/installed_files.h"
#include "rules/path_rules.h"
#include "system/file_system.h"
#include "system/path.h"

namespace tidemark {
namespace {

// A file this large takes long enough for its name to be shown at once.
constexpr int32_t kNamedAtOnce = 1 << 20;

bool AbortInstallation(InstallDisplay& display) {
  display.Paint();
  display.Message(BoxKind::kError, "Could not install file - aborting installation",
                  {BoxButton::kAbort});
  return false;
}

}  // namespace

bool InstallFileItems(LoadedInstaller& installer, const std::string& install_folder,
                      InstallLog& install_log, int32_t count, InstallDisplay& display) {
  const ProgressFn progress = display.Advance();
  // The items are read with ordinary reads of the file, so that a medium
  // that goes away ends in an error report rather than a fault in a mapped
  // page. A scrambled container is already descrambled whole in memory.
  BufferedSource file_reads(installer.exe_file, installer.exe_image.Position());
  ByteSource& items =
      installer.scrambled ? static_cast<ByteSource&>(installer.exe_image) : file_reads;
  std::string made_folder;
  for (int32_t i = 1; i <= count; ++i) {
    const FileEntry entry = SplitFileEntry(installer.control_info.Value(FileEntryKey(i)));
    display.Announce("Installing : " + entry.name);
    // A missing line or a size that is not a number stops the run here,
    // before anything is made for the file.
    const int32_t size = entry.Size();
    if (size >= kNamedAtOnce) display.Show();
    // Only the packer's names are trusted to stay inside the install
    // folder; an absolute name, a drive or ".." would write elsewhere.
    if (!IsSafeRelativeName(entry.name, IsAnsiLeadByte, GetACP()))
      return AbortInstallation(display);

    const std::string path = JoinPath(install_folder, entry.name);
    // The packer lists the files folder by folder: a folder is made once
    // for the files that follow in it.
    const std::string folder = AnsiFolderPart(path);
    if (folder != made_folder) {
      ForceDirectories(folder);
      made_folder = folder;
    }
    // Logged first, so that a file that fails half-way is listed too.
    install_log.Append(path);
    RequireItemSize(size);  // a negative size creates no file
    InflateItemToFile(items, *CreateFileSink(path), size, progress);
    if (!FileExists(path)) return AbortInstallation(display);
  }
  return true;
}

void WriteUninstaller(LoadedInstaller& installer, const std::string& install_folder,
                      InstallLog& install_log, const ProgressFn& progress) {
  const std::string path = UninstallerPathIn(install_folder);
  install_log.Append(path);
  ForceDirectories(install_folder);
  // Start-up descrambled the image in memory; the uninstaller must carry
  // the container exactly as stored, so it is read from the file. Of a
  // signed installer it is a well-formed unsigned program: its header names
  // no certificate table.
  try {
    BufferedSource stored(installer.exe_file, 0);
    std::vector<uint8_t> bytes(static_cast<size_t>(std::max<int64_t>(installer.payload_start, 0)));
    size_t got = 0;
    while (got < bytes.size()) {
      const size_t read = stored.Read(bytes.data() + got, bytes.size() - got);
      if (read == 0) break;  // cut short: the copy below reports it
      got += read;
    }
    bytes.resize(got);
    ClearSignatureFields(bytes.data(), bytes.size());
    ExeImage image;
    image.Assign(std::move(bytes));
    CopyRawToFile(image, *CreateFileSink(path), static_cast<int32_t>(installer.payload_start),
                  progress);
  } catch (const Error&) {
    // On purpose: an uninstaller that cannot be written passes in silence;
    // an installation without it is still complete.
  }
}

void FinishInstallation(LoadedInstaller& installer, const MachineFolders& folders,
                        const std::string& install_folder, InstallLog& install_log,
                        const ProgressFn& uninstaller_progress) {
  WriteUninstaller(installer, install_folder, install_log, uninstaller_progress);
  const std::string log_path = JoinPath(install_folder, InstallLogFileName(installer.app_name));
  install_log.Append(log_path);  // the log lists itself, for the uninstaller
  MakeShortcuts(
      installer.control_info,
      ShortcutFolders{install_folder, folders.desktop, folders.programs, installer.app_name},
      install_log);
  SaveInstallLogFile(log_path, install_log);
}

}  // namespace tidemark
