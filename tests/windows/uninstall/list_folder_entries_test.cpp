#include "app/steps/uninstall_run.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

std::vector<std::string> Sorted(std::vector<std::string> list) {
  std::sort(list.begin(), list.end());
  return list;
}

TEST(ListFolderEntries, ListsFilesAndFoldersOfEveryKindByFullPath) {
  testing::ScratchFolder folder;
  folder.WriteFile("uninstall.exe", "u");
  folder.WriteFile("hidden.txt", "h");
  folder.WriteFile("system.dat", "s");
  ASSERT_TRUE(SetFileAttributesA(folder.Sub("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesA(folder.Sub("system.dat").c_str(),
                                 FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(CreateDirectoryA(folder.Sub("empty").c_str(), nullptr));

  std::vector<std::string> list{"kept"};  // the caller's entries stay first
  ListFolderEntries(folder.path(), list, nullptr);
  SetFileAttributesA(folder.Sub("system.dat").c_str(), FILE_ATTRIBUTE_NORMAL);

  ASSERT_EQ(list.front(), "kept");
  list.erase(list.begin());
  EXPECT_EQ(Sorted(list), Sorted({folder.Sub("empty"), folder.Sub("hidden.txt"),
                                  folder.Sub("system.dat"), folder.Sub("uninstall.exe")}));
}

TEST(ListFolderEntries, EmptyOrMissingFoldersListNothing) {
  testing::ScratchFolder folder;
  std::vector<std::string> list;
  ListFolderEntries(folder.path(), list, nullptr);
  EXPECT_TRUE(list.empty());
  ListFolderEntries(folder.Sub("missing"), list, nullptr);
  EXPECT_TRUE(list.empty());
}

TEST(ListFolderEntries, KeepsTheWindowAnsweringWhileItLists) {
  testing::ScratchFolder folder;
  folder.WriteFile("a", "a");
  const HWND window =
      CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  PostMessageA(window, WM_APP, 0, 0);

  std::vector<std::string> list;
  ListFolderEntries(folder.path(), list, window);
  MSG waiting;
  EXPECT_FALSE(PeekMessageA(&waiting, window, 0, 0, PM_NOREMOVE));  // it was handled
  EXPECT_EQ(list, std::vector<std::string>{folder.Sub("a")});
  DestroyWindow(window);
}

}  // namespace
}  // namespace tidemark
