// Uninstall mode and the uninstall run.
#include <string>

#include "app/controls/progress_meter.h"
#include "app/steps/removal_sequence.h"
#include "app/steps/startup.h"
#include "app/window/install.h"

namespace tidemark {
namespace {

// The removal as the Uninstalled page shows it.
class PageRemovalReport : public RemovalReport {
 public:
  explicit PageRemovalReport(TfrmInstall& form) : form_(form) {}

  void State(const std::string& text) override { form_.SetControlText(ids::kLabUninstall2, text); }
  void Begin(size_t entries) override {
    ResetProgressMeter(meter(), static_cast<int>(entries));
    // The deletion handles no messages; show the page before it starts.
    UpdateWindow(form_.handle());
    advance_ = AdvanceProgressMeter(meter());
  }
  void EntryDone() override {
    advance_(1);
    UpdateWindow(meter());
  }
  void NotRemoved(const std::string&) override {}
  // On purpose: silent, as every failed deletion of the wizard's run is.
  void LeftAlone(const std::string&) override {}
  void Note(const std::string& text) override { form_.SetControlText(ids::kLabTraces, text); }
  HWND window() const override { return form_.handle(); }

 private:
  HWND meter() const { return form_.Control(ids::kMtrUninstall); }

  TfrmInstall& form_;
  ProgressFn advance_;
};

}  // namespace

// The last step of start-up: the uninstall page when the install log lies
// beside the running executable. A log that cannot be read is reported by
// the default error report and leaves the window installing, with no file
// items found.
void TfrmInstall::TestUninstallMode() {
  if (!LoadUninstallLog(session.installer, session.install_log, session.target)) return;
  SetControlText(ids::kLabUninstall,
                 "Are you sure you want to uninstall " + session.installer.app_name + " ?");
  ShowPage(ids::kTabUninstall);
}

void TfrmInstall::btnUninstallClick(HWND) {
  ShowPage(ids::kTabUninstalled);
  // OK waits for the run; should the run fail, it must not stay out of
  // reach, or the program could not be left.
  struct EnabledAtEnd {
    HWND button;
    ~EnabledAtEnd() { EnableWindow(button, TRUE); }
  } exit_button{Control(ids::kBtnUninstallExit)};
  EnableWindow(exit_button.button, FALSE);
  PageRemovalReport report(*this);
  RunRemoval(session.installer, session.folders, session.install_log, session.target, report);
}

// Leaving the finished run: the batch removes the uninstaller once this
// program has ended, which it does at once.
void TfrmInstall::btnUninstallExitClick(HWND) {
  StartRemovalOf(session.target, handle());
  RequestProgramEnd();
}

}  // namespace tidemark
