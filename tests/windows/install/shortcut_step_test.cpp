#include "app/steps/shortcut_step.h"

#include <gtest/gtest.h>

#include "system/file_system.h"
#include "system/handles.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

ControlInfo Keys(std::initializer_list<const char*> lines) {
  ControlInfo info;
  for (const char* line : lines) info.AddLine(line);
  return info;
}

class ShortcutStep : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(CreateSingleFolder(folder_.Sub("Desktop")));
    ASSERT_TRUE(CreateSingleFolder(folder_.Sub("Programs")));
  }

  ShortcutFolders Folders(const std::string& desktop, const std::string& programs) const {
    return ShortcutFolders{folder_.Sub("App"), desktop, programs, "App"};
  }

  ScopedCoInitialize com_;
  testing::ScratchFolder folder_;
  const ControlInfo keys_ =
      Keys({"ExeName=app.exe", "exeshortcut=App", "ShortcutName1=Manual",
            "ShortcutPath1=docs\\Manual.pdf", "ShortcutName2=", "ShortcutName3=Never"});
};

TEST_F(ShortcutStep, DesktopThenGroupInOrderEachLogged) {
  InstallLog log;
  log.Append("earlier entry");
  MakeShortcuts(keys_, Folders(folder_.Sub("Desktop"), folder_.Sub("Programs")), log);

  const std::vector<std::string> made = {folder_.Sub("Desktop\\App.lnk"),
                                         folder_.Sub("Programs\\App\\App.lnk"),
                                         folder_.Sub("Programs\\App\\Manual.lnk")};
  std::vector<std::string> expected = {"earlier entry"};
  expected.insert(expected.end(), made.begin(), made.end());
  EXPECT_EQ(log.entries(), expected);
  for (const std::string& link : made) EXPECT_TRUE(FileExists(link)) << link;
  EXPECT_FALSE(FileExists(folder_.Sub("Programs\\App\\Never.lnk")));
}

TEST_F(ShortcutStep, ExistingGroupIsUsedAgain) {
  ASSERT_TRUE(CreateSingleFolder(folder_.Sub("Programs\\App")));
  InstallLog log;
  MakeShortcuts(keys_, Folders("", folder_.Sub("Programs")), log);
  EXPECT_EQ(log.size(), 2u);
  EXPECT_TRUE(FileExists(folder_.Sub("Programs\\App\\Manual.lnk")));
  EXPECT_FALSE(FileExists(folder_.Sub("Desktop\\App.lnk")));
}

// The group is made one level deep only; links the shell cannot write are
// still logged, so the uninstaller's list is the same whatever happened.
TEST_F(ShortcutStep, GroupUnderAMissingFolderLogsLinksNotWritten) {
  InstallLog log;
  MakeShortcuts(keys_, Folders("", folder_.Sub("Missing\\Programs")), log);
  EXPECT_EQ(log.entries(),
            (std::vector<std::string>{folder_.Sub("Missing\\Programs\\App\\App.lnk"),
                                      folder_.Sub("Missing\\Programs\\App\\Manual.lnk")}));
  EXPECT_FALSE(FolderExists(folder_.Sub("Missing")));
}

TEST_F(ShortcutStep, DesktopOnlyMakesNoGroup) {
  InstallLog log;
  MakeShortcuts(keys_, Folders(folder_.Sub("Desktop"), ""), log);
  EXPECT_EQ(log.entries(), std::vector<std::string>{folder_.Sub("Desktop\\App.lnk")});
  EXPECT_FALSE(FolderExists(folder_.Sub("Programs\\App")));
}

}  // namespace
}  // namespace tidemark
