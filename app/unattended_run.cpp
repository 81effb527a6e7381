#include "app/unattended_run.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/controls/guarded_action.h"
#include "app/controls/message_box.h"
#include "app/steps/file_items_step.h"
#include "app/steps/registration_step.h"
#include "app/steps/removal_batch_file.h"
#include "app/steps/session.h"
#include "app/steps/startup.h"
#include "app/steps/step_report.h"
#include "app/steps/uninstall_run.h"
#include "app/unattended_log.h"
#include "rules/folder_proposal.h"
#include "rules/path_rules.h"
#include "system/current_folder.h"
#include "system/file_system.h"
#include "system/path.h"

namespace tidemark {
namespace {

// Every message goes to the log with the text the wizard shows; a box is
// answered by its default, first, button, as a user pressing Enter would.
class LoggedDisplay : public InstallDisplay {
 public:
  explicit LoggedDisplay(UnattendedLog& log) : log_(log) {}
  BoxButton Message(BoxKind, const std::string& text, std::vector<BoxButton> buttons) override {
    log_.Line(text);
    return buttons.empty() ? BoxButton::kOk : buttons.front();
  }
  void Announce(const std::string& text) override { log_.Line(text); }
  ProgressFn Advance() override {
    return [](int64_t) {};
  }
  void Paint() override {}
  void Show() override {}

 private:
  UnattendedLog& log_;
};

class UnattendedRun {
 public:
  explicit UnattendedRun(UnattendedLog& log) : log_(log), display_(log) {}

  // The exit code; an error that the steps raise leaves the run with the
  // code of the step it came from, failure().
  int Run(const std::optional<std::string>& chosen_folder) {
    if (!LoadContainer()) return kUnattendedDamaged;
    ReadHeadImages(session_, [](HeadImage, const RgbImage&) {});
    const std::string proposed = ProposedInstallFolder();
    bool uninstall = false;
    // As in the wizard, a failure here is reported and leaves no file
    // items found.
    if (const std::optional<std::string> error = RunCatchingErrors([&] {
          ReadHeadTexts(session_, [](HeadText, const std::vector<uint8_t>&) {});
          uninstall = LoadUninstallLog(session_);
        })) {
      log_.Line(WithFullStop(*error));
    }
    if (uninstall) return Uninstall();
    return Install(chosen_folder.value_or(proposed));
  }

  int failure() const { return failure_; }

 private:
  // Start-up up to the control information; a failure is one of the four
  // damaged-installer messages.
  bool LoadContainer() {
    const std::optional<std::string> failure = LoadFailureOf([this] {
      LookUpFolders(session_);
      OpenContainer(session_, display_);
    });
    if (failure) log_.Line(*failure);
    return !failure;
  }

  // The line the Folder page first shows: empty when the folder base cannot
  // be entered.
  std::string ProposedInstallFolder() {
    try {
      const FolderProposal proposal = ProposeFolder(session_.controlInfo.Value("TargetFolder"),
                                                    session_.programFilesFolder, IsAnsiLeadByte);
      session_.folderBase = proposal.folder_base;
      EnterFolder(session_.folderBase);
      return InitialInstallFolderLine(proposal, true, IsAnsiLeadByte);
    } catch (const std::exception&) {
      return std::string();
    }
  }

  // The steps of "Install Now", in its order.
  int Install(const std::string& folder) {
    if (session_.payloadStart <= 0) {
      log_.Line(kDamagedCannotInstall);
      return kUnattendedDamaged;
    }
    if (!IsAbsolutePath(folder)) {
      log_.Line(kChooseInstallFolder);
      return kUnattendedNoFolder;
    }
    session_.installFolder = folder;
    log_.Line("Installing to : " + folder);
    // Same-named files are replaced, as a user answering "Yes" would have it.
    if (FolderExists(folder)) log_.Line(kFolderExistsQuestion);
    session_.mainProgramPath = JoinPath(folder, session_.controlInfo.Value("ExeName"));
    session_.installLog.Clear();
    failure_ = kUnattendedFileFailed;
    if (!InstallFileItems(session_, session_.controlInfo.IntValue("Filecount"), display_)) {
      return kUnattendedFileFailed;
    }
    FinishInstallation(session_, [](int64_t) {});
    if (!RegisterUninstallEntry(session_.appName, session_.installFolder)) {
      log_.Line("Cannot register the uninstall entry of " + session_.appName + ".");
      return kUnattendedRegistrationFailed;
    }
    log_.Line("Installation Complete.");
    return kUnattendedDone;
  }

  // "Uninstall" and then "OK".
  int Uninstall() {
    failure_ = kUnattendedRemovalFailed;
    log_.Line("Uninstalling...");
    RemoveInstallation(session_, [] {});
    const std::vector<std::string> remaining = RemainingLoggedFiles(session_);
    for (const std::string& path : remaining) log_.Line("Cannot remove " + path);
    log_.Line("Uninstall Complete.");
    if (LeftoversRemain(session_.uninstallerPath, nullptr)) log_.Line(kLeftoverNote);
    if (!session_.uninstallerPath.empty()) StartRemovalBatch(session_.uninstallerPath, nullptr);
    return remaining.empty() ? kUnattendedDone : kUnattendedRemovalFailed;
  }

  UnattendedLog& log_;
  LoggedDisplay display_;
  Session session_;
  int failure_ = kUnattendedFailed;
};

}  // namespace

int RunUnattended(const CommandLine& command) {
  UnattendedLog log(command.log_path);
  UnattendedRun run(log);
  // An error that escapes a step ends the run, as the wizard's default
  // error report ends the handler.
  int code = kUnattendedFailed;
  if (const std::optional<std::string> error =
          RunCatchingErrors([&] { code = run.Run(command.install_folder); })) {
    log.Line(WithFullStop(*error));
    return run.failure();
  }
  return code;
}

}  // namespace tidemark
