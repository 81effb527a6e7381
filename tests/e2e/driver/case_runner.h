// Runs one end-to-end case: starts the installer, drives its window and
// checks what it shows. The first failed expectation ends the case: the
// driver reports what it expected and what it found, saves a screenshot and
// terminates the installer it started.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "tests/e2e/driver/installer_process.h"
#include "tests/e2e/driver/machine_snapshot.h"
#include "tests/e2e/driver/polling.h"
#include "tests/e2e/driver/script.h"

namespace tidemark::e2e {

struct RunOptions {
  std::string screenshot_folder;  // created when the first picture is saved
  Milliseconds timeout{10000};    // for every wait without "within"
  Milliseconds settle{300};       // before a screenshot, for painting to finish
};

// Checks that every command is known and has a fitting number of words.
// Raises ScriptError naming the line.
void CheckScript(const std::vector<Command>& commands);

class CaseRunner {
 public:
  explicit CaseRunner(RunOptions options);
  ~CaseRunner();
  CaseRunner(const CaseRunner&) = delete;
  CaseRunner& operator=(const CaseRunner&) = delete;

  // True when every command passed and the installer has ended.
  bool Run(const std::vector<Command>& commands);

  // One command of the case language; null for an unknown name.
  struct Handler;
  static const Handler* FindHandler(const std::string& name);

 private:
  void Execute(const Command& command);
  void Fail(const std::string& expected, const std::string& found);
  void ExpectClickable(HWND control, const std::string& name);
  std::string SaveScreenshot(const std::string& name);

  Milliseconds TakeTimeout(std::vector<std::string>& args) const;
  HWND AwaitMainWindow(Milliseconds timeout);
  HWND Control(HWND main_window, const std::string& name);
  std::string ProcessState() const;

  void Start(std::vector<std::string> args);
  void StartRegistered(std::vector<std::string> args);
  void WaitWindow(std::vector<std::string> args);
  void ExpectPage(std::vector<std::string> args);
  void ExpectTaskbar(std::vector<std::string> args);
  void Click(std::vector<std::string> args);
  void QueueClick(std::vector<std::string> args);
  void ClickAndQueue(std::vector<std::string> args);
  void Type(std::vector<std::string> args);
  void Press(std::vector<std::string> args);
  void Choose(std::vector<std::string> args);
  void Open(std::vector<std::string> args);
  void ExpectItems(std::vector<std::string> args);
  HWND VisibleControl(const std::string& name, const char* purpose);
  int ItemIndex(HWND control, const std::string& name, const std::string& text);
  void ExpectText(std::vector<std::string> args);
  void ExpectClientSize(std::vector<std::string> args);
  void ExpectTextFits(std::vector<std::string> args);
  void ExpectAnswering(std::vector<std::string> args);
  void ExpectBox(std::vector<std::string> args);
  void ExpectNoBox(std::vector<std::string> args);
  void AnswerBox(std::vector<std::string> args);
  void CloseBox(std::vector<std::string> args);
  // The box that `found` picks among the installer's boxes, waited for; then
  // `act` on it, and the wait until it has gone. `wanted` names it in a report.
  void ActOnBox(Milliseconds timeout, const std::string& wanted,
                const std::function<HWND(HWND box)>& found,
                const std::function<void(HWND box, HWND target)>& act);
  void Screenshot(std::vector<std::string> args);
  void ExpectExit(std::vector<std::string> args);
  void Terminate(std::vector<std::string> args);
  void Sleep(std::vector<std::string> args);
  void SetTimeout(std::vector<std::string> args);
  // Figures for benchmarks, printed as "  timer NAME: N ms" and
  // "  memory NAME: ..." lines.
  void TimerStart(std::vector<std::string> args);
  void TimerStop(std::vector<std::string> args);
  void ReportMemory(std::vector<std::string> args);
  void Copy(std::vector<std::string> args);
  void Patch(std::vector<std::string> args);
  void FlipByteAt(std::vector<std::string> args);
  void TruncateFile(std::vector<std::string> args);
  void CutFromHostSide(std::vector<std::string> args);
  // What the installation left behind (installed_state.h).
  void ExpectFile(std::vector<std::string> args);
  void ExpectNoFile(std::vector<std::string> args);
  void ExpectNoAccess(std::vector<std::string> args);
  void ExpectSameFile(std::vector<std::string> args);
  void ExpectFileHead(std::vector<std::string> args);
  void ExpectVersion(std::vector<std::string> args);
  void ExpectIconCorner(std::vector<std::string> args);
  void ExpectFileLines(std::vector<std::string> args);
  void ExpectRegistry(std::vector<std::string> args);
  void ExpectNoRegistry(std::vector<std::string> args);
  void ExpectRegistryValue(std::vector<std::string> args);
  void ExpectRegistryNames(std::vector<std::string> args);
  void ExpectShortcut(std::vector<std::string> args);
  // Machines prepared by hand, and snapshots of them (machine_snapshot.h).
  void WriteText(std::vector<std::string> args);
  void MakeFolder(std::vector<std::string> args);
  void RemoveFolder(std::vector<std::string> args);
  void MakeLink(std::vector<std::string> args);
  void ExpectOnlyAdminsChange(std::vector<std::string> args);
  void EraseFile(std::vector<std::string> args);
  void HoldFile(std::vector<std::string> args);
  void SnapshotFolderTree(std::vector<std::string> args);
  void SnapshotKeyTree(std::vector<std::string> args);
  void ExpectUnchanged(std::vector<std::string> args);

  RunOptions options_;
  InstallerProcess installer_;
  int screenshots_ = 0;
  std::chrono::steady_clock::time_point timer_start_ = std::chrono::steady_clock::now();
  std::vector<UniqueHandle> held_files_;  // kept open until the case ends
  struct Snapshot {
    std::function<SnapshotEntries()> take;
    SnapshotEntries entries;
  };
  std::map<std::string, Snapshot> snapshots_;
};

}  // namespace tidemark::e2e
