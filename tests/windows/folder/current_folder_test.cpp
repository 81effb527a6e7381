#include "system/current_folder.h"

#include <gtest/gtest.h>

#include "container/errors.h"
#include "tests/windows/folder/folder_fixture.h"

namespace tidemark {
namespace {

using testing::FolderTree;
using testing::OtherEnterableDrive;
using testing::RestoredCurrentFolder;

class EnteringFolders : public ::testing::Test {
 protected:
  FolderTree tree_{"Beta", "alpha", "Gamma", "Gamma\\Inner"};
  RestoredCurrentFolder restore_;
};

TEST_F(EnteringFolders, EnteredFolderBecomesCurrentInCurrentDirectoryForm) {
  EXPECT_EQ(EnterFolder(tree_.Sub("Gamma") + "\\"), tree_.Sub("Gamma"));
  EXPECT_EQ(CurrentFolder(), tree_.Sub("Gamma"));
  // A relative name is taken from the current directory.
  EXPECT_EQ(EnterFolder("Inner"), tree_.Sub("Gamma\\Inner"));
  EXPECT_EQ(EnterFolder(".."), tree_.Sub("Gamma"));
}

TEST_F(EnteringFolders, DriveRootKeepsItsSeparator) {
  const std::string root = tree_.path().substr(0, 3);
  EXPECT_EQ(EnterFolder(root), root);
  EXPECT_EQ(CurrentFolder(), root);
}

TEST_F(EnteringFolders, FolderThatCannotBeEnteredRaisesAndLeavesTheCurrentDirectory) {
  EnterFolder(tree_.path());
  const std::string missing = tree_.Sub("Missing");
  try {
    EnterFolder(missing);
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot enter folder \"" + missing + "\". ", 0), 0u)
        << error.what();
  }
  tree_.scratch().WriteFile("file.txt", "not a folder");
  EXPECT_THROW(EnterFolder(tree_.Sub("file.txt")), Error);
  EXPECT_THROW(EnterFolder(""), Error);
  EXPECT_EQ(CurrentFolder(), tree_.path());
}

TEST_F(EnteringFolders, EachDriveRemembersTheFolderLastEnteredOnIt) {
  const char other = OtherEnterableDrive(tree_.path());
  if (other == 0) GTEST_SKIP() << "only one drive that can be entered";
  EnterFolder(tree_.Sub("Gamma"));
  const std::string other_root = std::string(1, other) + ":\\";
  EnterFolder(other_root);
  EXPECT_EQ(DriveCurrentFolder(tree_.path()[0]), tree_.Sub("Gamma"));
  EXPECT_EQ(DriveCurrentFolder(other), other_root);
}

TEST_F(EnteringFolders, SubfoldersSortedWithoutRegardToCaseFilesAndHiddenFoldersLeftOut) {
  tree_.scratch().WriteFile("afile.txt", "");
  CreateDirectoryA(tree_.Sub("Hidden").c_str(), nullptr);
  SetFileAttributesA(tree_.Sub("Hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
  EXPECT_EQ(SubfolderNames(tree_.path()), (std::vector<std::string>{"alpha", "Beta", "Gamma"}));
  EXPECT_EQ(SubfolderNames(tree_.path() + "\\"), SubfolderNames(tree_.path()));
  EXPECT_TRUE(SubfolderNames(tree_.Sub("Missing")).empty());
}

}  // namespace
}  // namespace tidemark
