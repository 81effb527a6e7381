#include "app/unattended_run.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <vector>

#include "app/controls/guarded_action.h"
#include "app/controls/message_box.h"
#include "app/report/step_report.h"
#include "app/steps/install_sequence.h"
#include "app/steps/removal_sequence.h"
#include "app/steps/session.h"
#include "app/steps/startup.h"
#include "app/unattended_log.h"
#include "rules/folder_proposal.h"
#include "system/current_folder.h"
#include "system/path.h"

namespace tidemark {
namespace {

// Every message goes to the log with the text the wizard shows.
class LoggedInstallReport : public InstallReport {
 public:
  LoggedInstallReport(UnattendedLog& log, int& failure) : log_(log), failure_(failure) {}
  BoxButton Message(BoxKind, const std::string& text, std::vector<BoxButton> buttons) override {
    log_.Line(text);
    // On purpose: a box is answered by its default, first, button, as a user
    // pressing Enter would; so an existing install folder is used and its
    // same-named files are replaced, as after "Yes".
    return buttons.empty() ? BoxButton::kOk : buttons.front();
  }
  void InstallingTo(const std::string& folder) override { log_.Line("Installing to : " + folder); }
  void FilesBegin(const ControlInfo&) override { failure_ = kUnattendedFileFailed; }
  void Announce(const std::string& text) override { log_.Line(text); }
  ProgressFn Advance() override { return NoProgress(); }
  void Paint() override {}
  void Show() override {}
  void FilesEnd() override {}
  ProgressFn UninstallerProgress() override { return NoProgress(); }

 private:
  static ProgressFn NoProgress() {
    return [](int64_t) {};
  }

  UnattendedLog& log_;
  int& failure_;
};

class LoggedRemovalReport : public RemovalReport {
 public:
  explicit LoggedRemovalReport(UnattendedLog& log) : log_(log) {}
  void State(const std::string& text) override { log_.Line(text); }
  void Begin(size_t) override {}
  void EntryDone() override {}
  void NotRemoved(const std::string& path) override { log_.Line("Cannot remove " + path); }
  void LeftAlone(const std::string& path) override {
    log_.Line("Not removed, outside the installation: " + path);
  }
  void Note(const std::string& text) override { log_.Line(text); }
  HWND window() const override { return nullptr; }

 private:
  UnattendedLog& log_;
};

class UnattendedRun {
 public:
  explicit UnattendedRun(UnattendedLog& log) : log_(log), install_report_(log, failure_) {}

  // The exit code; an error that the steps raise leaves the run with the
  // code of the step it came from, failure().
  int Run(const std::optional<std::string>& chosen_folder) {
    if (!LoadContainer()) return kUnattendedDamaged;
    ReadHeadImages(session_.installer, [](HeadItem, const RgbImage&) {});
    const std::string proposed = ProposedInstallFolder();
    bool uninstall = false;
    // As in the wizard, a failure here is reported and leaves no file
    // items found.
    if (const std::optional<std::string> error = RunCatchingErrors([&] {
          ReadHeadTexts(session_.installer, [](HeadItem, const std::vector<uint8_t>&) {});
          uninstall = LoadUninstallLog(session_.installer, session_.install_log, session_.target);
        })) {
      log_.Line(WithFullStop(*error));
    }
    if (uninstall) return Uninstall();
    session_.target.install_folder = chosen_folder.value_or(proposed);
    return Install();
  }

  int failure() const { return failure_; }

 private:
  // Start-up up to the control information; a failure is one of the four
  // damaged-installer messages.
  bool LoadContainer() {
    const std::optional<std::string> failure = LoadFailureOf([this] {
      LookUpFolders(session_.folders);
      OpenContainer(session_.installer, install_report_);
    });
    if (failure) log_.Line(*failure);
    return !failure;
  }

  // The line the Folder page first shows: empty when the folder base cannot
  // be entered.
  std::string ProposedInstallFolder() {
    try {
      const FolderProposal proposal =
          ProposeInstallFolder(session_.installer.control_info, session_.folders,
                               [](const std::string& folder_base) { EnterFolder(folder_base); });
      return InitialInstallFolderLine(proposal, true, IsAnsiLeadByte);
    } catch (const std::exception&) {
      return std::string();
    }
  }

  // "Install Now".
  int Install() {
    switch (RunInstallation(session_.installer, session_.folders, session_.target,
                            session_.install_log, install_report_)) {
      case InstallOutcome::kDamaged:
        return kUnattendedDamaged;
      case InstallOutcome::kNoFolder:
      case InstallOutcome::kDeclined:  // never: the default answer is Yes
        return kUnattendedNoFolder;
      case InstallOutcome::kAborted:
        return kUnattendedFileFailed;
      case InstallOutcome::kNotRegistered:
        log_.Line("Cannot register the uninstall entry of " + session_.installer.app_name + ".");
        return kUnattendedRegistrationFailed;
      case InstallOutcome::kInstalled:
        break;
    }
    log_.Line("Installation Complete.");
    return kUnattendedDone;
  }

  // "Uninstall" and then "OK".
  int Uninstall() {
    failure_ = kUnattendedRemovalFailed;
    LoggedRemovalReport report(log_);
    const bool removed = RunRemoval(session_.installer, session_.folders, session_.install_log,
                                    session_.target, report);
    StartRemovalOf(session_.target, nullptr);
    return removed ? kUnattendedDone : kUnattendedRemovalFailed;
  }

  UnattendedLog& log_;
  int failure_ = kUnattendedFailed;
  LoggedInstallReport install_report_;
  Session session_;
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
