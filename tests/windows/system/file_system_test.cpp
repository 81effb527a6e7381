#include "system/file_system.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

class FileSystem : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.WriteFile("file.txt", "x");
    ASSERT_TRUE(CreateDirectoryA(folder_.Sub("sub").c_str(), nullptr));
  }
  testing::ScratchFolder folder_;
};

TEST_F(FileSystem, ExistenceTestsTellFilesFromFolders) {
  EXPECT_TRUE(FileExists(folder_.Sub("file.txt")));
  EXPECT_FALSE(FileExists(folder_.Sub("sub")));
  EXPECT_FALSE(FileExists(folder_.Sub("missing.txt")));
  EXPECT_FALSE(FileExists(folder_.Sub("*.txt")));  // a pattern names no file
  EXPECT_FALSE(FileExists(folder_.Sub("fil?.txt")));

  EXPECT_TRUE(FolderExists(folder_.Sub("sub")));
  EXPECT_TRUE(FolderExists(folder_.Sub("sub\\")));
  EXPECT_FALSE(FolderExists(folder_.Sub("file.txt")));
  EXPECT_FALSE(FolderExists(folder_.Sub("missing")));
  EXPECT_FALSE(FolderExists(""));
}

TEST_F(FileSystem, CreatesFoldersOneOrAllLevelsAtATime) {
  EXPECT_FALSE(CreateSingleFolder(folder_.Sub("a\\b")));
  EXPECT_TRUE(ForceDirectories(folder_.Sub("a\\b\\c\\")));
  EXPECT_TRUE(FolderExists(folder_.Sub("a\\b\\c")));
  EXPECT_TRUE(ForceDirectories(folder_.Sub("a\\b")));  // already there
  EXPECT_TRUE(CreateSingleFolder(folder_.Sub("a\\d")));
  EXPECT_FALSE(ForceDirectories(folder_.Sub("file.txt\\x")));
  EXPECT_FALSE(ForceDirectories(""));
}

TEST_F(FileSystem, RemovesOnlyWhatCanGo) {
  EXPECT_FALSE(RemoveFolderQuiet(folder_.path()));  // not empty
  EXPECT_TRUE(DeleteFileQuiet(folder_.Sub("file.txt")));
  EXPECT_FALSE(DeleteFileQuiet(folder_.Sub("file.txt")));
  EXPECT_TRUE(RemoveFolderQuiet(folder_.Sub("sub\\")));  // a trailing separator is fine
  EXPECT_FALSE(FolderExists(folder_.Sub("sub")));
}

TEST_F(FileSystem, ListsEveryEntryWithItsAttributes) {
  folder_.WriteFile("hidden.txt", "h");
  SetFileAttributesA(folder_.Sub("hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
  std::map<std::string, uint32_t> entries;
  ForEachFolderEntry(folder_.path(), [&](const std::string& name, uint32_t attributes) {
    entries[name] = attributes;
  });
  ASSERT_EQ(entries.size(), 5u) << "., .., file.txt, hidden.txt, sub";
  EXPECT_TRUE(entries.count(".") && entries.count(".."));
  EXPECT_TRUE(entries["sub"] & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(entries["hidden.txt"] & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(entries["file.txt"] & FILE_ATTRIBUTE_DIRECTORY);

  int calls = 0;
  ForEachFolderEntry(folder_.Sub("missing"), [&](const std::string&, uint32_t) { ++calls; });
  EXPECT_EQ(calls, 0);
}

}  // namespace
}  // namespace tidemark
