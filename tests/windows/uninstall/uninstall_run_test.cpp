#include "app/steps/uninstall_run.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "system/handles.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

// A machine in miniature: an install folder with a sub-folder, a desktop
// and a Start-menu programs folder holding the product's group and another
// product's shortcut. The group's last shortcut has "uninstall.exe" in its
// name, so that the log's last such entry is no uninstaller: the pruning
// follows the running uninstaller's folder, as the uninstall run gives it.
class UninstallRun : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Install", "Install\\docs", "Install\\docs\\guide", "Desktop",
                             "Programs", "Programs\\App", "Programs\\Other"}) {
      ASSERT_TRUE(CreateDirectoryA(machine_.Sub(name).c_str(), nullptr)) << name;
    }
    for (const char* name :
         {"Install\\App.exe", "Install\\docs\\guide\\Manual.txt", "Install\\uninstall.exe",
          "Install\\App.ilg", "Desktop\\App.lnk", "Programs\\App\\App.lnk",
          "Programs\\App\\Run uninstall.exe.lnk", "Programs\\Other\\Other.lnk"}) {
      machine_.WriteFile(name, "x");
    }
    for (const char* entry : {"Install\\App.exe", "Install\\docs\\guide\\Manual.txt",
                              "Install\\uninstall.exe", "Install\\App.ilg", "Desktop\\App.lnk",
                              "Programs\\App\\App.lnk", "Programs\\App\\Run uninstall.exe.lnk"}) {
      log_.Append(machine_.Sub(entry));
    }
  }

  void Run() {
    RemoveLoggedPaths(log_, {},
                      MakePruningScope(machine_.Sub("Install"), machine_.Sub("Programs"), "App"),
                      [this] { ++entries_done_; });
  }

  bool Exists(const char* name) const { return PathExists(machine_.Sub(name)); }
  static bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
  }

  testing::ScratchFolder machine_;
  InstallLog log_;
  int entries_done_ = 0;
};

TEST_F(UninstallRun, RemovesWhatWasLoggedAndTheFoldersItEmptied) {
  Run();
  EXPECT_EQ(entries_done_, 7);
  EXPECT_FALSE(Exists("Install"));
  EXPECT_FALSE(Exists("Programs\\App"));
  EXPECT_FALSE(Exists("Desktop\\App.lnk"));
  // Shared folders stay, even when the product's shortcut was their last item.
  EXPECT_TRUE(Exists("Desktop"));
  EXPECT_TRUE(Exists("Programs\\Other\\Other.lnk"));
}

TEST_F(UninstallRun, KeepsFoldersThatStillHoldSomething) {
  machine_.WriteFile("Install\\docs\\notes.txt", "the user's");
  machine_.WriteFile("Programs\\App\\Added.lnk", "the user's");
  Run();
  EXPECT_FALSE(Exists("Install\\docs\\guide"));
  EXPECT_TRUE(Exists("Install\\docs\\notes.txt"));
  EXPECT_FALSE(Exists("Install\\App.exe"));
  EXPECT_TRUE(Exists("Programs\\App\\Added.lnk"));
  EXPECT_FALSE(Exists("Programs\\App\\App.lnk"));
}

TEST_F(UninstallRun, LeavesEmptyFoldersThatNoEntryLeadsThrough) {
  // Empty folders whose names are the beginnings of logged folders, and
  // an empty folder beside the install folder.
  for (const char* name : {"Install\\d", "Install\\doc", "Programs\\Ap", "Empty"}) {
    ASSERT_TRUE(CreateDirectoryA(machine_.Sub(name).c_str(), nullptr)) << name;
  }
  Run();
  EXPECT_TRUE(Exists("Install\\d"));
  EXPECT_TRUE(Exists("Install\\doc"));
  EXPECT_TRUE(Exists("Programs\\Ap"));
  EXPECT_TRUE(Exists("Empty"));
  EXPECT_FALSE(Exists("Install\\docs"));
}

TEST_F(UninstallRun, AFileInUseStaysAndTheRunGoesOn) {
  UniqueHandle running(CreateFileA(machine_.Sub("Install\\uninstall.exe").c_str(), GENERIC_READ,
                                   FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(running);
  Run();
  running.Reset();
  EXPECT_EQ(entries_done_, 7);
  EXPECT_TRUE(Exists("Install\\uninstall.exe"));
  EXPECT_FALSE(Exists("Install\\App.ilg"));
  EXPECT_FALSE(Exists("Install\\docs"));
  EXPECT_FALSE(Exists("Programs\\App"));
}

TEST_F(UninstallRun, EntriesThatNameNoAbsolutePathDeleteNothing) {
  // Run in the machine's folder, where a relative entry would find a file.
  char before[MAX_PATH];
  ASSERT_GT(GetCurrentDirectoryA(sizeof before, before), 0u);
  ASSERT_TRUE(SetCurrentDirectoryA(machine_.path().c_str()));
  machine_.WriteFile("Readme.txt", "not the product's");
  InstallLog log;
  for (const char* entry : {"Readme.txt", "", "Install\\App.exe"}) log.Append(entry);
  int entries_done = 0;
  // A relative install folder is no scope at all.
  RemoveLoggedPaths(log, {}, MakePruningScope("Install", "", "App"), [&] { ++entries_done; });
  SetCurrentDirectoryA(before);
  EXPECT_EQ(entries_done, 3);
  EXPECT_TRUE(Exists("Readme.txt"));
  EXPECT_TRUE(Exists("Install\\App.exe"));
}

}  // namespace
}  // namespace tidemark
