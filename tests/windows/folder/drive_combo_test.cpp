#include "app/controls/drive_combo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/controls/directory_list.h"
#include "rules/directory_entries.h"
#include "tests/windows/app/box_probe.h"
#include "tests/windows/app/test_window.h"
#include "tests/windows/folder/folder_fixture.h"

namespace tidemark {
namespace {

using testing::FolderTree;
using testing::OtherEnterableDrive;
using testing::RestoredCurrentFolder;

constexpr int kComboId = 76;
constexpr int kListId = 77;
constexpr int kClosedHeight = 19;

class DriveSelector : public ::testing::Test {
 protected:
  DriveSelector() {
    EnterFolder(tree_.path());
    combo_ = CreateDriveCombo(window_.handle(), kComboId, RECT{0, 0, 145, kClosedHeight},
                              WS_VISIBLE | WS_TABSTOP);
    list_ = CreateDirectoryList(window_.handle(), kListId, RECT{0, 24, 145, 143}, WS_VISIBLE, 0);
    BindDriveCombo(combo_, list_);
  }

  std::vector<std::string> Texts() const {
    return testing::ItemTexts(combo_, testing::kComboBoxItems);
  }

  // What a pick in the drop-down list does: select, then tell the parent.
  void Choose(char letter) {
    const std::string text = std::string(1, letter) + ":";
    SendMessageA(combo_, CB_SETCURSEL,
                 SendMessageA(combo_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(text.c_str())),
                 0);
    SendMessageA(window_.handle(), WM_COMMAND, MAKEWPARAM(kComboId, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(combo_));
  }

  // Tells the selector that its list drops down, which reads the drives.
  void DropDown() {
    SendMessageA(window_.handle(), WM_COMMAND, MAKEWPARAM(kComboId, CBN_DROPDOWN),
                 reinterpret_cast<LPARAM>(combo_));
  }

  size_t ListChanges() const {
    size_t changes = 0;
    for (const testing::Command& command : window_.commands()) {
      if (command.id == kListId && command.code == kDirectoryListChanged) ++changes;
    }
    return changes;
  }

  FolderTree tree_{"Inner"};
  RestoredCurrentFolder restore_;
  testing::TestWindow window_;
  HWND combo_ = nullptr;
  HWND list_ = nullptr;
};

TEST_F(DriveSelector, ListsThePresentDrivesInLetterOrder) {
  std::vector<std::string> expected;
  const DWORD drives = GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (drives & (1u << i)) expected.push_back(std::string(1, static_cast<char>('A' + i)) + ":");
  }
  EXPECT_EQ(Texts(), expected);
}

TEST_F(DriveSelector, ShowsTheDriveOfTheCurrentDirectoryAtItsDesignedClosedHeight) {
  EXPECT_EQ(testing::TextOf(combo_), tree_.path().substr(0, 2));
  RECT closed;
  GetWindowRect(combo_, &closed);
  EXPECT_NEAR(closed.bottom - closed.top, kClosedHeight, 2);
}

TEST_F(DriveSelector, FollowsMovesOfTheListToAnotherDrive) {
  const char other = OtherEnterableDrive(tree_.path());
  if (other == 0) GTEST_SKIP() << "only one drive that can be entered";
  MoveDirectoryList(list_, std::string(1, other) + ":\\");
  EXPECT_EQ(testing::TextOf(combo_), std::string(1, other) + ":");
  // A pick is the combo box's own business: the parent never sees it.
  for (const testing::Command& command : window_.commands()) EXPECT_NE(command.id, kComboId);
}

TEST_F(DriveSelector, ChoosingADriveMovesTheListToThatDrivesCurrentDirectory) {
  const char other = OtherEnterableDrive(tree_.path());
  if (other == 0) GTEST_SKIP() << "only one drive that can be entered";
  MoveDirectoryList(list_, tree_.Sub("Inner"));
  Choose(other);
  EXPECT_EQ(DriveLetterOf(DirectoryListFolder(list_)), other);
  Choose(tree_.path()[0]);
  EXPECT_EQ(DirectoryListFolder(list_), tree_.Sub("Inner"));
  EXPECT_EQ(testing::TextOf(combo_), tree_.path().substr(0, 2));
  EXPECT_EQ(ListChanges(), 3u);
  for (const testing::Command& command : window_.commands()) EXPECT_NE(command.id, kComboId);
}

TEST_F(DriveSelector, ChoosingTheDriveShownAgainChangesNothing) {
  MoveDirectoryList(list_, tree_.Sub("Inner"));
  Choose(tree_.path()[0]);
  EXPECT_EQ(DirectoryListFolder(list_), tree_.Sub("Inner"));
  EXPECT_EQ(ListChanges(), 1u);
}

}  // namespace
}  // namespace tidemark

namespace tidemark {
namespace {

// A drive letter that names no drive, or 0.
char FreeDriveLetter() {
  const DWORD drives = GetLogicalDrives();
  for (int i = 25; i >= 3; --i) {
    if ((drives & (1u << i)) == 0) return static_cast<char>('A' + i);
  }
  return 0;
}

TEST_F(DriveSelector, DriveThatCannotBeEnteredIsReportedThenTheListsDriveShowsAgain) {
  const char letter = FreeDriveLetter();
  const std::string drive = std::string(1, letter) + ":";
  const std::string target = tree_.Sub("Inner");
  if (letter == 0 || !DefineDosDeviceA(0, drive.c_str(), target.c_str())) {
    GTEST_SKIP() << "no drive letter can be defined";
  }
  DropDown();
  RemoveDirectoryA(target.c_str());  // the drive now leads nowhere
  testing::BoxProbe probe;
  probe.Run([&] { Choose(letter); }, [](HWND box) { testing::ClickButton(box, "OK"); });
  DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, drive.c_str(),
                   target.c_str());
  ASSERT_TRUE(probe.saw_box());
  EXPECT_EQ(probe.seen().title, "Installer");
  EXPECT_EQ(probe.seen().text.rfind("Cannot enter folder \"" + drive, 0), 0u) << probe.seen().text;
  EXPECT_EQ(DirectoryListFolder(list_), tree_.path());
  EXPECT_EQ(testing::TextOf(combo_), tree_.path().substr(0, 2));
  EXPECT_EQ(ListChanges(), 0u);
}

}  // namespace
}  // namespace tidemark
