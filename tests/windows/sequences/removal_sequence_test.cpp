#include "app/steps/removal_sequence.h"

#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "system/handles.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

class ScriptedReport : public RemovalReport {
 public:
  void State(const std::string& text) override { events.push_back(text); }
  void Begin(size_t entries) override { events.push_back("begin " + std::to_string(entries)); }
  void EntryDone() override { events.push_back("entry"); }
  void NotRemoved(const std::string& path) override { events.push_back("not removed " + path); }
  void LeftAlone(const std::string& path) override { events.push_back("left alone " + path); }
  void Note(const std::string& text) override { events.push_back(text); }
  HWND window() const override { return nullptr; }

  std::vector<std::string> events;
};

TEST(RemovalSequence, TellsEachEntryAndWhatStayed) {
  testing::ScratchFolder machine;
  testing::ScratchFolder elsewhere;
  machine.WriteFile("gone.txt", "x");
  machine.WriteFile("in use.txt", "x");
  elsewhere.WriteFile("keep.txt", "x");
  InstallLog log;
  log.Append(machine.Sub("in use.txt"));
  log.Append(elsewhere.Sub("keep.txt"));  // a line added to the log by someone else
  log.Append(machine.Sub("gone.txt"));
  UniqueHandle in_use(CreateFileA(machine.Sub("in use.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(in_use);
  InstallTarget target;
  target.install_folder = machine.path();
  ScriptedReport report;

  EXPECT_FALSE(RunRemoval(LoadedInstaller{}, MachineFolders{}, log, target, report));
  in_use.Reset();
  const std::vector<std::string> expected = {"Uninstalling...",
                                             "begin 3",
                                             "entry",
                                             "entry",
                                             "entry",
                                             "not removed " + machine.Sub("in use.txt"),
                                             "left alone " + elsewhere.Sub("keep.txt"),
                                             "Uninstall Complete."};
  EXPECT_EQ(report.events, expected);
  EXPECT_EQ(target.uninstaller_path, "");
  EXPECT_EQ(GetFileAttributesA(machine.Sub("gone.txt").c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_NE(GetFileAttributesA(elsewhere.Sub("keep.txt").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace tidemark
