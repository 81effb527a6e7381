#include "app/controls/directory_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "container/errors.h"
#include "tests/windows/app/box_probe.h"
#include "tests/windows/app/test_window.h"
#include "tests/windows/folder/folder_fixture.h"

namespace tidemark {
namespace {

using testing::FolderTree;
using testing::RestoredCurrentFolder;

constexpr int kListId = 77;

class DirectoryListControl : public ::testing::Test {
 protected:
  DirectoryListControl() {
    list_ = CreateDirectoryList(window_.handle(), kListId, RECT{0, 24, 145, 143},
                                WS_VISIBLE | WS_TABSTOP, WS_EX_CLIENTEDGE);
  }

  std::vector<std::string> Texts() const {
    return testing::ItemTexts(list_, testing::kListBoxItems);
  }

  int IndexOf(const std::string& text) const {
    return static_cast<int>(SendMessageA(list_, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(text.c_str())));
  }

  // The change events that reached the parent so far.
  size_t Changes() const {
    size_t changes = 0;
    for (const testing::Command& command : window_.commands()) {
      if (command.id == kListId && command.code == kDirectoryListChanged &&
          command.sender == list_) {
        ++changes;
      }
    }
    return changes;
  }

  // The expected texts for the tree's folder itself: its path from the
  // root, then its subfolders.
  std::vector<std::string> PathTexts(const std::string& folder) const {
    std::vector<std::string> texts = {folder.substr(0, 3)};
    size_t start = 3;
    while (start < folder.size()) {
      const size_t end = folder.find('\\', start);
      texts.push_back(
          folder.substr(start, end == std::string::npos ? std::string::npos : end - start));
      if (end == std::string::npos) break;
      start = end + 1;
    }
    return texts;
  }

  FolderTree tree_{"beta", "Alpha", "Alpha\\Deep"};
  RestoredCurrentFolder restore_;
  testing::TestWindow window_;
  HWND list_ = nullptr;
};

TEST_F(DirectoryListControl, StartsOnTheCurrentDirectoryWithEntriesSixteenPixelsHigh) {
  ASSERT_NE(list_, nullptr);
  EXPECT_EQ(DirectoryListFolder(list_), CurrentFolder());
  EXPECT_EQ(SendMessageA(list_, LB_GETITEMHEIGHT, 0, 0), kDirectoryEntryHeight);
  EXPECT_EQ(Changes(), 0u);
}

TEST_F(DirectoryListControl, MoveShowsThePathAndSubfoldersEntersTheFolderAndRaisesTheChange) {
  ASSERT_TRUE(MoveDirectoryList(list_, tree_.path() + "\\"));
  EXPECT_EQ(DirectoryListFolder(list_), tree_.path());
  EXPECT_EQ(CurrentFolder(), tree_.path());
  std::vector<std::string> expected = PathTexts(tree_.path());
  const int current = static_cast<int>(expected.size()) - 1;
  expected.push_back("Alpha");
  expected.push_back("beta");
  EXPECT_EQ(Texts(), expected);
  EXPECT_EQ(SendMessageA(list_, LB_GETCURSEL, 0, 0), current);  // the current folder is highlighted
  EXPECT_EQ(Changes(), 1u);
}

TEST_F(DirectoryListControl, MovingToTheFolderShownChangesNothing) {
  MoveDirectoryList(list_, tree_.path());
  EXPECT_FALSE(MoveDirectoryList(list_, tree_.path()));
  EXPECT_FALSE(MoveDirectoryList(list_, tree_.path() + "\\"));
  EXPECT_EQ(Changes(), 1u);
}

TEST_F(DirectoryListControl, FolderThatCannotBeEnteredRaisesAndLeavesEverything) {
  MoveDirectoryList(list_, tree_.path());
  const std::vector<std::string> before = Texts();
  EXPECT_THROW(MoveDirectoryList(list_, tree_.Sub("Missing")), Error);
  EXPECT_EQ(DirectoryListFolder(list_), tree_.path());
  EXPECT_EQ(CurrentFolder(), tree_.path());
  EXPECT_EQ(Texts(), before);
  EXPECT_EQ(Changes(), 1u);
}

TEST_F(DirectoryListControl, FolderGoneSinceItWasListedIsReportedAndNothingMoves) {
  MoveDirectoryList(list_, tree_.path());
  const std::vector<std::string> before = Texts();
  RemoveDirectoryA(tree_.Sub("beta").c_str());
  testing::BoxProbe probe;
  probe.Run([&] { OpenDirectoryEntry(list_, IndexOf("beta")); },
            [](HWND box) { testing::ClickButton(box, "OK"); });
  ASSERT_TRUE(probe.saw_box());
  EXPECT_EQ(probe.seen().title, "Installer");
  EXPECT_EQ(probe.seen().text.rfind("Cannot enter folder \"" + tree_.Sub("beta") + "\". ", 0), 0u)
      << probe.seen().text;
  EXPECT_EQ(DirectoryListFolder(list_), tree_.path());
  EXPECT_EQ(CurrentFolder(), tree_.path());
  EXPECT_EQ(Texts(), before);
  EXPECT_EQ(Changes(), 1u);
}

TEST_F(DirectoryListControl, DoubleClickOpensTheEntryUnderThePointer) {
  MoveDirectoryList(list_, tree_.path());
  RECT item = {};
  SendMessageA(list_, LB_GETITEMRECT, IndexOf("Alpha"), reinterpret_cast<LPARAM>(&item));
  SendMessageA(list_, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.left + 30, item.top + 4));
  SendMessageA(list_, WM_LBUTTONUP, 0, MAKELPARAM(item.left + 30, item.top + 4));
  EXPECT_EQ(DirectoryListFolder(list_), tree_.Sub("Alpha"));
  EXPECT_EQ(Texts().back(), "Deep");
  EXPECT_EQ(Changes(), 2u);
}

TEST_F(DirectoryListControl, OpeningAnEntryAboveGoesUpAndOpeningTheCurrentOneDoesNothing) {
  MoveDirectoryList(list_, tree_.Sub("Alpha\\Deep"));
  OpenDirectoryEntry(list_, IndexOf("Deep"));
  EXPECT_EQ(Changes(), 1u);
  OpenDirectoryEntry(list_, IndexOf("Alpha"));
  EXPECT_EQ(DirectoryListFolder(list_), tree_.Sub("Alpha"));
  OpenDirectoryEntry(list_, 0);
  EXPECT_EQ(DirectoryListFolder(list_), tree_.path().substr(0, 3));
  EXPECT_EQ(Changes(), 3u);
}

TEST_F(DirectoryListControl, EnterOpensTheHighlightedEntryAndIsWantedInDialogNavigation) {
  MoveDirectoryList(list_, tree_.path());
  SendMessageA(list_, LB_SETCURSEL, IndexOf("beta"), 0);  // a single click only highlights
  EXPECT_EQ(DirectoryListFolder(list_), tree_.path());
  MSG enter = {list_, WM_KEYDOWN, VK_RETURN, 0, 0, {0, 0}};
  EXPECT_NE(SendMessageA(list_, WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter)) &
                DLGC_WANTMESSAGE,
            0);
  SendMessageA(list_, WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_EQ(DirectoryListFolder(list_), tree_.Sub("beta"));
}

TEST_F(DirectoryListControl, ListenerHearsEveryMoveBeforeTheChangeEvent) {
  std::vector<std::pair<std::string, size_t>> heard;
  SetDirectoryListListener(list_, [&](const std::string& folder) {
    heard.push_back({folder, Changes()});
  });
  MoveDirectoryList(list_, tree_.path());
  MoveDirectoryList(list_, tree_.path());
  ASSERT_EQ(heard.size(), 1u);
  EXPECT_EQ(heard[0].first, tree_.path());
  EXPECT_EQ(heard[0].second, 0u);
}

TEST(DirectoryListHandle, OtherWindowsAreNoDirectoryList) {
  testing::TestWindow window;
  EXPECT_EQ(DirectoryListFolder(window.handle()), "");
  EXPECT_THROW(MoveDirectoryList(window.handle(), "C:\\"), Error);
  EXPECT_THROW(MoveDirectoryList(nullptr, "C:\\"), Error);
}

}  // namespace
}  // namespace tidemark
