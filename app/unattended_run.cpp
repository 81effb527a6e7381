#include "app/unattended_run.h"

#include <cstdint>
#include <exception>
#include <functional>
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
#include "container/errors.h"
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
    return buttons.front();
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

  int Run(const std::optional<std::string>& chosen_folder) {
    if (!LoadContainer()) return kUnattendedDamaged;
    ReadHeadImages(session_, [](HeadImage, const RgbImage&) {});
    const std::string proposed = ProposedInstallFolder();
    bool uninstall = false;
    // As in the wizard, a failure here leaves no file items found.
    if (!Logged([&] {
          ReadHeadTexts(session_, [](HeadText, const std::vector<uint8_t>&) {});
          uninstall = LoadUninstallLog(session_);
        })) {
      uninstall = false;
    }
    if (uninstall) return Uninstall();
    return Install(chosen_folder.value_or(proposed));
  }

 private:
  // Start-up up to the control information; a failure is one of the four
  // damaged-installer messages.
  bool LoadContainer() {
    std::string failure;
    try {
      LookUpFolders(session_);
      OpenContainer(session_, display_);
      return true;
    } catch (const LoadError& error) {
      failure = error.what();
    } catch (const std::exception&) {
      failure = LoadFailureMessage(LoadFailure::kInitialise);
    }
    log_.Line(failure);
    return false;
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
    bool complete = false;
    if (!Logged([&] {
          const int32_t file_count = session_.controlInfo.IntValue("Filecount");
          complete = InstallFileItems(session_, file_count, display_);
        }) ||
        !complete) {
      return kUnattendedFileFailed;
    }
    if (!Logged([&] { FinishInstallation(session_, [](int64_t) {}); })) {
      return kUnattendedFileFailed;
    }
    if (!RegisterUninstallEntry(session_.appName, session_.installFolder)) {
      log_.Line("Cannot register the uninstall entry of " + session_.appName + ".");
      return kUnattendedRegistrationFailed;
    }
    log_.Line("Installation Complete.");
    return kUnattendedDone;
  }

  // "Uninstall" and then "OK".
  int Uninstall() {
    log_.Line("Uninstalling...");
    if (!Logged([&] { RemoveInstallation(session_, [] {}); })) return kUnattendedRemovalFailed;
    const std::vector<std::string> remaining = RemainingLoggedFiles(session_);
    for (const std::string& path : remaining) log_.Line("Cannot remove " + path);
    log_.Line("Uninstall Complete.");
    if (LeftoversRemain(session_.uninstallerPath, nullptr)) log_.Line(kLeftoverNote);
    if (!session_.uninstallerPath.empty() &&
        !Logged([&] { StartRemovalBatch(session_.uninstallerPath, nullptr); })) {
      return kUnattendedRemovalFailed;
    }
    return remaining.empty() ? kUnattendedDone : kUnattendedRemovalFailed;
  }

  // Runs `step`; an error it raises is logged as the wizard's default error
  // report shows it. False after an error.
  bool Logged(const std::function<void()>& step) {
    const std::optional<std::string> error = RunCatchingErrors(step);
    if (error) log_.Line(WithFullStop(*error));
    return !error;
  }

  UnattendedLog& log_;
  LoggedDisplay display_;
  Session session_;
};

}  // namespace

int RunUnattended(const CommandLine& command) {
  UnattendedLog log(command.log_path);
  UnattendedRun run(log);
  // Whatever escapes the steps ends the run with its report.
  int code = kUnattendedFailed;
  if (const std::optional<std::string> error =
          RunCatchingErrors([&] { code = run.Run(command.install_folder); })) {
    log.Line(WithFullStop(*error));
    return kUnattendedFailed;
  }
  return code;
}

}  // namespace tidemark
