#include "app/steps/startup.h"

#include <windows.h>

#include <exception>

#include "app/steps/whole_file.h"
#include "container/control_keys.h"
#include "container/errors.h"
#include "container/items.h"
#include "container/loader.h"
#include "rules/installed_files.h"
#include "system/file_system.h"
#include "system/path.h"
#include "system/registry.h"

namespace tidemark {
namespace {

constexpr char kShellFoldersKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr char kDefaultProgramFiles[] = "C:\\Program Files";

// The value of the first name that gives a non-empty text.
std::string ReadFirstShellFolder(const char* preferred, const char* fallback) {
  std::string folder = ReadRegString(kShellFoldersKey, preferred);
  if (folder.empty()) folder = ReadRegString(kShellFoldersKey, fallback);
  return folder;
}

}  // namespace

std::optional<std::string> LoadFailureOf(const std::function<void()>& load) {
  try {
    load();
    return std::nullopt;
  } catch (const LoadError& error) {
    return error.what();
  } catch (const std::exception&) {
    return LoadFailureMessage(LoadFailure::kInitialise);
  }
}

void LookUpFolders(MachineFolders& folders) {
  folders.programs = ReadFirstShellFolder("Common Programs", "Programs");
  folders.desktop = ReadFirstShellFolder("Common Desktop", "Desktop");
  folders.program_files = ReadRegStringReadOnly(kCurrentVersionKey, "ProgramFilesDir");
  if (folders.program_files.empty()) folders.program_files = kDefaultProgramFiles;
}

void OpenContainer(LoadedInstaller& installer, StepReport& report) {
  installer.control_info.Clear();
  installer.exe_file.Open(RunningExecutablePath());
  try {
    installer.exe_image.Assign(installer.exe_file.ReadImage());
  } catch (const std::exception& error) {
    // On purpose: an image that cannot be read whole is only told of, and
    // loading goes on with what was read.
    report.Message(BoxKind::kInformation, error.what(), {BoxButton::kOk});
  }
  installer.exe_image.Seek(0);
  const ContainerHead head =
      LoadContainerHead(installer.exe_image, RunningExecutableName(), installer.control_info);
  installer.data_start = head.data_start;
  installer.scrambled = head.scrambled;
  // Refused before anything is written, in either mode: the packer never
  // writes such a name, so the container has been tampered with.
  if (!IsAcceptableAppName(installer.control_info.Value(keys::kAppName), IsAnsiLeadByte,
                           GetACP())) {
    throw LoadError(LoadFailure::kInitialise);
  }
  installer.app_name = installer.control_info.Value(keys::kAppName);
  installer.app_company = installer.control_info.Value(keys::kAppCompany);
}

void ReadHeadImages(LoadedInstaller& installer,
                    const std::function<void(HeadItem, RgbImage)>& show) {
  installer.exe_image.Seek(installer.data_start);
  for (const AnnouncedHeadItem& announced : AnnouncedHeadItems(installer.control_info)) {
    if (!IsHeadPicture(announced.item)) continue;
    show(announced.item, RgbImage{});
    try {
      show(announced.item, LoadJpegItem(installer.exe_image, StrToInt(announced.size)));
    } catch (const std::exception&) {
      // On purpose: a picture that cannot be decoded, its size included,
      // stays empty, and the next item is read from where decoding stopped.
    }
  }
}

FolderProposal ProposeInstallFolder(const ControlInfo& control_info, MachineFolders& folders,
                                    const std::function<void(const std::string&)>& enter_base) {
  FolderProposal proposal =
      ProposeFolder(control_info.Value(keys::kTargetFolder), folders.program_files, IsAnsiLeadByte);
  folders.folder_base = proposal.folder_base;
  enter_base(folders.folder_base);
  return proposal;
}

void ReadHeadTexts(LoadedInstaller& installer,
                   const std::function<void(HeadItem, const std::vector<uint8_t>&)>& show) {
  for (const AnnouncedHeadItem& announced : AnnouncedHeadItems(installer.control_info)) {
    if (IsHeadPicture(announced.item)) continue;
    show(announced.item, LoadRichTextItem(installer.exe_image, StrToInt(announced.size)));
  }
}

bool LoadUninstallLog(LoadedInstaller& installer, InstallLog& install_log, InstallTarget& target) {
  const std::string own_path = RunningExecutablePath();
  const std::string log_path = AnsiFolderPart(own_path) + InstallLogFileName(installer.app_name);
  if (!FileExists(log_path)) {
    installer.payload_start = installer.exe_image.Position();
    return false;
  }
  install_log.LoadText(ReadWholeFile(log_path));
  target.install_folder = FolderWithoutSeparator(own_path, IsAnsiLeadByte);
  return true;
}

}  // namespace tidemark
