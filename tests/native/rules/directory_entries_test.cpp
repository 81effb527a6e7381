#include "rules/directory_entries.h"

#include <gtest/gtest.h>

#include "tests/native/rules/shift_jis.h"

namespace tidemark {
namespace {

struct Shown {
  std::string text;
  std::string path;
  int level;
  FolderIcon icon;
};

void ExpectEntries(const std::vector<DirectoryEntry>& entries, const std::vector<Shown>& wanted) {
  ASSERT_EQ(entries.size(), wanted.size());
  for (size_t i = 0; i < wanted.size(); ++i) {
    EXPECT_EQ(entries[i].text, wanted[i].text) << i;
    EXPECT_EQ(entries[i].path, wanted[i].path) << i;
    EXPECT_EQ(entries[i].level, wanted[i].level) << i;
    EXPECT_EQ(entries[i].icon, wanted[i].icon) << i;
  }
}

TEST(DirectoryEntries, PathFromTheRootDownThenTheSubfoldersOneLevelDeeper) {
  const auto entries = DirectoryEntries("C:\\Program Files\\Marrowlight", {"bin", "docs"});
  ExpectEntries(entries,
                {
                    {"C:\\", "C:\\", 0, FolderIcon::kOpen},
                    {"Program Files", "C:\\Program Files", 1, FolderIcon::kOpen},
                    {"Marrowlight", "C:\\Program Files\\Marrowlight", 2, FolderIcon::kCurrent},
                    {"bin", "C:\\Program Files\\Marrowlight\\bin", 3, FolderIcon::kClosed},
                    {"docs", "C:\\Program Files\\Marrowlight\\docs", 3, FolderIcon::kClosed},
                });
  EXPECT_EQ(CurrentEntryIndex(entries), 2u);
}

TEST(DirectoryEntries, AtADriveRootTheRootIsCurrentAndItsSubfoldersGetNoDoubledSeparator) {
  const auto entries = DirectoryEntries("Z:\\", {"tmp"});
  ExpectEntries(entries, {
                             {"Z:\\", "Z:\\", 0, FolderIcon::kCurrent},
                             {"tmp", "Z:\\tmp", 1, FolderIcon::kClosed},
                         });
  EXPECT_EQ(CurrentEntryIndex(entries), 0u);
}

TEST(DirectoryEntries, NetworkShareIsItsOwnRoot) {
  ExpectEntries(DirectoryEntries("\\\\server\\share\\Apps", {}),
                {
                    {"\\\\server\\share\\", "\\\\server\\share\\", 0, FolderIcon::kOpen},
                    {"Apps", "\\\\server\\share\\Apps", 1, FolderIcon::kCurrent},
                });
}

TEST(DirectoryEntries, SecondByteOfADoubleByteCharacterDoesNotSeparate) {
  const std::string& table = kTableChar;
  const auto entries = DirectoryEntries("C:\\" + table + "\\Sub", {}, ShiftJisLeadByte);
  ExpectEntries(entries, {
                             {"C:\\", "C:\\", 0, FolderIcon::kOpen},
                             {table, "C:\\" + table, 1, FolderIcon::kOpen},
                             {"Sub", "C:\\" + table + "\\Sub", 2, FolderIcon::kCurrent},
                         });
  // Under a folder ending in that character, a subfolder still gets its "\".
  EXPECT_EQ(SubfolderPath("C:\\" + table, "x", ShiftJisLeadByte), "C:\\" + table + "\\x");
}

TEST(DirectoryEntries, EmptyPartsOfAnUnusualPathNameNoFolder) {
  ExpectEntries(DirectoryEntries("C:\\A\\\\B\\", {}),
                {
                    {"C:\\", "C:\\", 0, FolderIcon::kOpen},
                    {"A", "C:\\A", 1, FolderIcon::kOpen},
                    {"B", "C:\\A\\B", 2, FolderIcon::kCurrent},
                });
}

TEST(FolderRoot, DriveShareAndOtherForms) {
  EXPECT_EQ(FolderRoot("c:\\Apps"), "c:\\");
  EXPECT_EQ(FolderRoot("C:"), "C:\\");
  EXPECT_EQ(FolderRoot("\\\\server\\share"), "\\\\server\\share\\");
  EXPECT_EQ(FolderRoot("\\\\server\\share\\a\\b"), "\\\\server\\share\\");
  EXPECT_EQ(FolderRoot("relative"), "relative");
  EXPECT_EQ(FolderRoot(""), "");
}

TEST(DriveLetterOf, OnlyALetterAndAColonNameADrive) {
  EXPECT_EQ(DriveLetterOf("c:\\x"), 'C');
  EXPECT_EQ(DriveLetterOf("Z:"), 'Z');
  EXPECT_EQ(DriveLetterOf("\\\\server\\share"), 0);
  EXPECT_EQ(DriveLetterOf("1:\\"), 0);
  EXPECT_EQ(DriveLetterOf("C"), 0);
}

}  // namespace
}  // namespace tidemark
