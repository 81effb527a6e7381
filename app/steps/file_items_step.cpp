#include "app/steps/file_items_step.h"

#include <windows.h>

#include <algorithm>
#include <optional>
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
#include "system/protected_file.h"
#include "system/reparse_point.h"

namespace tidemark {
namespace {

// A file this large takes long enough for its name to be shown at once.
constexpr int32_t kNamedAtOnce = 1 << 20;

// Makes `folder`, at or below `install_folder`. A new install folder gets
// the protected rules of the Program Files folder, inherited by everything
// made in it, so that users cannot change what an administrator will later
// start or remove; its parents are made as usual.
void MakeFolderBelow(const std::string& install_folder, const std::string& folder) {
  const std::string install = WithoutTrailingBackslashes(install_folder, IsAnsiLeadByte);
  if (!FolderExists(install)) {
    ForceDirectories(FolderWithoutSeparator(install, IsAnsiLeadByte));
    CreateProtectedFolder(install);
  }
  ForceDirectories(folder);
}

// Nothing is made or written through a link below the install folder (one
// that a user put there would send the file elsewhere): the file fails as
// one that cannot be created.
void RefuseLinkOnTheWay(const std::string& install_folder, const std::string& name,
                        const std::string& path) {
  if (const std::optional<std::string> link = FirstReparsePointOnTheWay(install_folder, name)) {
    throw Error(
        CannotCreateFileMessage(path, "The way to it leads through the link " + *link + "."));
  }
}

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
  // page; a scrambled container's are descrambled in the read buffer.
  BufferedSource items(installer.exe_file, installer.exe_image.Position(),
                       installer.exe_image.scrambled_region());
  std::string made_folder;
  for (int32_t i = 1; i <= count; ++i) {
    const FileEntry entry = SplitFileEntry(installer.control_info.Value(FileEntryKey(i)));
    display.Announce("Installing : " + entry.name);
    // On purpose: a name that would leave the install folder (a drive, a
    // stream, ".."), reach a device or lose its trailing dot or blank ends
    // the installation before anything is made for it; only a tampered
    // container carries one. Every other name goes to the system as
    // written, which creates it (a doubled separator counts as one) or
    // refuses it with "Cannot create file".
    if (!StaysBelowFolder(entry.name, IsAnsiLeadByte, GetACP())) return AbortInstallation(display);

    const std::string path = JoinPath(install_folder, entry.name);
    // The packer lists the files folder by folder: a folder is made once
    // for the files that follow in it.
    const std::string folder = AnsiFolderPart(path);
    if (folder != made_folder) {
      RefuseLinkOnTheWay(install_folder, entry.name, path);
      MakeFolderBelow(install_folder, folder);
      made_folder = folder;
    } else if (IsReparsePoint(path)) {
      RefuseLinkOnTheWay(install_folder, entry.name, path);
    }
    // Logged first, so that a file that fails half-way is listed too; a
    // missing line or a size that is not a number then stops the run.
    install_log.Append(path);
    const int32_t size = entry.Size();
    RequireItemSize(size);  // a negative size creates no file
    if (size >= kNamedAtOnce) display.Show();
    InflateItemToFile(items, *CreateFileSink(path), size, progress);
    if (!FileExists(path)) return AbortInstallation(display);
  }
  return true;
}

void WriteUninstaller(LoadedInstaller& installer, const std::string& install_folder,
                      InstallLog& install_log, const ProgressFn& progress) {
  const std::string path = UninstallerPathIn(install_folder);
  install_log.Append(path);
  MakeFolderBelow(install_folder, install_folder);
  // The uninstaller carries the container exactly as stored (a scrambled
  // one stays scrambled), so it is read from the file as it is. Of a
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
    CopyRawToFile(image, *CreateUsersReadAndRunFile(path),
                  static_cast<int32_t>(installer.payload_start), progress);
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
