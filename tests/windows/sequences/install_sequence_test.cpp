#include "app/steps/install_sequence.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "system/path.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

// Notes every call in order and answers the question as it is told to.
class ScriptedReport : public InstallReport {
 public:
  explicit ScriptedReport(BoxButton answer) : answer_(answer) {}
  BoxButton Message(BoxKind, const std::string& text, std::vector<BoxButton> buttons) override {
    events.push_back("message " + text.substr(0, text.find(' ')));
    return buttons.size() > 1 ? answer_ : buttons.front();
  }
  void InstallingTo(const std::string&) override { events.push_back("installing to"); }
  void FilesBegin(const ControlInfo&) override { events.push_back("files begin"); }
  void Announce(const std::string& text) override { events.push_back(text); }
  ProgressFn Advance() override {
    return [](int64_t) {};
  }
  void Paint() override {}
  void Show() override {}
  void FilesEnd() override { events.push_back("files end"); }
  ProgressFn UninstallerProgress() override {
    return [this](int64_t bytes) { uninstaller_bytes += bytes; };
  }

  std::vector<std::string> events;
  int64_t uninstaller_bytes = 0;

 private:
  BoxButton answer_;
};

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A product without file items, name, shortcuts or registration, whose
// uninstaller is the first bytes of this test program.
TEST(InstallSequence, ReportsAndAnswersInTheOrderOfTheRun) {
  const std::vector<std::string> refused_before_the_folder = {"message The"};
  const std::vector<std::string> no_folder = {"message Please"};
  const std::vector<std::string> declined = {"installing to", "message Folder"};
  const std::vector<std::string> installed_new = {"installing to", "files begin", "files end"};
  const std::vector<std::string> installed_over = {"installing to", "message Folder", "files begin",
                                                   "files end"};
  const struct {
    const char* name;
    int64_t payload_start;
    bool relative_folder;
    bool folder_exists;
    BoxButton answer;
    const std::vector<std::string>& events;
    InstallOutcome outcome;
  } cases[] = {
      {"damaged", 0, false, false, BoxButton::kYes, refused_before_the_folder,
       InstallOutcome::kDamaged},
      {"relative folder", 64, true, false, BoxButton::kYes, no_folder, InstallOutcome::kNoFolder},
      {"new folder", 64, false, false, BoxButton::kNo, installed_new, InstallOutcome::kInstalled},
      {"existing, No", 64, false, true, BoxButton::kNo, declined, InstallOutcome::kDeclined},
      {"existing, Yes", 64, false, true, BoxButton::kYes, installed_over,
       InstallOutcome::kInstalled},
      {"existing, box closed", 64, false, true, BoxButton::kClosed, installed_over,
       InstallOutcome::kInstalled},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    testing::ScratchFolder machine;
    const std::string folder = machine.Sub("App");
    if (c.folder_exists) ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    LoadedInstaller installer;
    installer.exe_file.Open(RunningExecutablePath());
    installer.payload_start = c.payload_start;
    for (const char* line : {"Filecount=0", "ExeName=App.exe"})
      installer.control_info.AddLine(line);
    InstallTarget target;
    target.install_folder = c.relative_folder ? "App" : folder;
    InstallLog log;
    ScriptedReport report(c.answer);

    EXPECT_EQ(RunInstallation(installer, MachineFolders{}, target, log, report), c.outcome);
    EXPECT_EQ(report.events, c.events);
    const bool installed = c.outcome == InstallOutcome::kInstalled;
    EXPECT_EQ(Exists(folder + "\\uninstall.exe"), installed);
    EXPECT_EQ(Exists(folder + "\\.ilg"), installed);
    EXPECT_EQ(log.size(), installed ? 2u : 0u);
    EXPECT_EQ(report.uninstaller_bytes, installed ? c.payload_start : 0);
    EXPECT_EQ(target.main_program_path, installed ? folder + "\\App.exe" : "");
  }
}

// Each file's folder is made and its path logged before its size is read:
// a size that is no number stops the run with both done.
TEST(InstallSequence, ABadSizeStopsTheRunOnceTheFolderIsMadeAndThePathLogged) {
  testing::ScratchFolder machine;
  const std::string folder = machine.Sub("App");
  LoadedInstaller installer;
  installer.exe_file.Open(RunningExecutablePath());
  installer.payload_start = 64;
  for (const char* line : {"Filecount=1", "ExeName=App.exe", "f1=<docs\\a.txt><1x>"})
    installer.control_info.AddLine(line);
  InstallTarget target;
  target.install_folder = folder;
  InstallLog log;
  ScriptedReport report(BoxButton::kYes);

  try {
    RunInstallation(installer, MachineFolders{}, target, log, report);
    ADD_FAILURE() << "the size is no number";
  } catch (const std::exception& error) {
    EXPECT_STREQ(error.what(), "'1x' is not a valid integer value");
  }
  EXPECT_TRUE(Exists(folder + "\\docs"));
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0], folder + "\\docs\\a.txt");
  EXPECT_FALSE(Exists(folder + "\\docs\\a.txt"));
}

}  // namespace
}  // namespace tidemark
