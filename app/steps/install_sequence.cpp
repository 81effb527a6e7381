#include "app/steps/install_sequence.h"

#include <cstdint>
#include <optional>

#include "app/steps/file_items_step.h"
#include "app/steps/registration_step.h"
#include "container/control_keys.h"
#include "rules/path_rules.h"
#include "system/file_system.h"
#include "system/path.h"
#include "system/reparse_point.h"

namespace tidemark {
namespace {

// The checks of the install folder before anything is written into it;
// the outcome of a refusal, reported, or nothing when the run may go on.
std::optional<InstallOutcome> RefuseInstallFolder(const std::string& folder, StepReport& report) {
  // An empty line would install into the root of the current drive, a
  // relative one into whatever folder happens to be current.
  if (!IsAbsolutePath(folder)) {
    report.Message(BoxKind::kWarning, kChooseInstallFolder, {BoxButton::kOk});
    return InstallOutcome::kNoFolder;
  }
  // A folder that is a link (a junction or symbolic link that a user made)
  // would have every file land wherever it points.
  if (IsReparsePoint(WithoutTrailingBackslashes(folder, IsAnsiLeadByte))) {
    report.Message(BoxKind::kWarning, InstallFolderIsLinkMessage(folder), {BoxButton::kOk});
    return InstallOutcome::kNoFolder;
  }
  return std::nullopt;
}

// Whether the run may go on into `folder`: an existing folder, whose
// same-named files are replaced, is left alone only on the answer No;
// every other answer, closing the box with Escape or its close button
// among them, lets the run go on.
bool MayUseFolder(const std::string& folder, StepReport& report) {
  if (!FolderExists(folder)) return true;
  return report.Message(BoxKind::kWarning, kFolderExistsQuestion,
                        {BoxButton::kYes, BoxButton::kNo}) != BoxButton::kNo;
}

}  // namespace

InstallOutcome RunInstallation(LoadedInstaller& installer, const MachineFolders& folders,
                               InstallTarget& target, InstallLog& install_log,
                               InstallReport& report) {
  // Start-up that failed before it found the file items leaves nothing to
  // install from; reading on would unpack the head items as files.
  if (installer.payload_start <= 0) {
    report.Message(BoxKind::kError, kDamagedCannotInstall, {BoxButton::kOk});
    return InstallOutcome::kDamaged;
  }
  const int32_t file_count = installer.control_info.IntValue(keys::kFilecount);
  const std::string& folder = target.install_folder;
  if (const std::optional<InstallOutcome> refusal = RefuseInstallFolder(folder, report)) {
    return *refusal;
  }
  report.InstallingTo(folder);
  if (!MayUseFolder(folder, report)) return InstallOutcome::kDeclined;

  target.main_program_path = JoinPath(folder, installer.control_info.Value(keys::kExeName));
  report.FilesBegin(installer.control_info);
  install_log.Clear();
  const bool installed = InstallFileItems(installer, folder, install_log, file_count, report);
  report.FilesEnd();
  if (!installed) return InstallOutcome::kAborted;
  FinishInstallation(installer, folders, folder, install_log, report.UninstallerProgress());
  if (!RegisterUninstallEntry(installer.control_info, installer.app_name, folder))
    return InstallOutcome::kNotRegistered;
  return InstallOutcome::kInstalled;
}

}  // namespace tidemark
