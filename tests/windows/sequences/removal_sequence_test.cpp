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
  void Note(const std::string& text) override { events.push_back(text); }
  HWND window() const override { return nullptr; }

  std::vector<std::string> events;
};

TEST(RemovalSequence, TellsEachEntryAndWhatStayed) {
  testing::ScratchFolder machine;
  machine.WriteFile("gone.txt", "x");
  machine.WriteFile("in use.txt", "x");
  InstallLog log;
  log.Append(machine.Sub("in use.txt"));
  log.Append(machine.Sub("gone.txt"));
  UniqueHandle in_use(CreateFileA(machine.Sub("in use.txt").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(in_use);
  InstallTarget target;
  ScriptedReport report;

  EXPECT_FALSE(RunRemoval(LoadedInstaller{}, MachineFolders{}, log, target, report));
  in_use.Reset();
  const std::vector<std::string> expected = {
      "Uninstalling...",    "begin 2", "entry", "entry", "not removed " + machine.Sub("in use.txt"),
      "Uninstall Complete."};
  EXPECT_EQ(report.events, expected);
  EXPECT_EQ(target.uninstaller_path, "");
}

}  // namespace
}  // namespace tidemark
