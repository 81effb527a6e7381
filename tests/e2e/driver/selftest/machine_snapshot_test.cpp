// Snapshots of folders and registry keys, as the round-trip cases compare
// them.
#include "tests/e2e/driver/machine_snapshot.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace tidemark::e2e {
namespace {

using Lines = std::vector<std::string>;

void Write(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(MachineSnapshot, ReportsAddedRemovedAndChangedEntriesInPathOrder) {
  const SnapshotEntries before{{"a", "1"}, {"b", "2"}, {"d", "4"}};
  const SnapshotEntries after{{"b", "2"}, {"c", "3"}, {"d", "5"}};
  EXPECT_EQ(SnapshotDifferences(before, after),
            (Lines{"removed a (1)", "added c (3)", "changed d: 4 -> 5"}));
  EXPECT_TRUE(SnapshotDifferences(before, before).empty());
}

TEST(MachineSnapshot, FolderTreesCompareFilesButNotFolderTimes) {
  const std::filesystem::path root = std::filesystem::absolute("snapshot_tree");
  std::filesystem::remove_all(root);
  std::filesystem::create_directories(root / "kept" / "deeper");
  std::filesystem::create_directories(root / "Temp");
  Write(root / "kept" / "deeper" / "file.txt", "one");
  const std::string folder = root.string();
  const Lines except{folder + "\\TEMP"};
  const SnapshotEntries before = SnapshotFolder(folder, except);
  EXPECT_EQ(before.count(folder + "\\kept\\deeper"), 1u);
  EXPECT_EQ(before.count(folder + "\\kept\\deeper\\file.txt"), 1u);
  EXPECT_EQ(before.count(folder + "\\Temp"), 0u);

  // Made and removed again, and scratch files in the excepted folder.
  Write(root / "kept" / "deeper" / "passing.txt", "x");
  std::filesystem::remove(root / "kept" / "deeper" / "passing.txt");
  Write(root / "Temp" / "scratch.tmp", "x");
  EXPECT_TRUE(SnapshotDifferences(before, SnapshotFolder(folder, except)).empty());

  // A name that merely starts like the excepted folder counts.
  std::filesystem::create_directories(root / "Temp2");
  Write(root / "kept" / "deeper" / "file.txt", "longer");
  EXPECT_EQ(SnapshotDifferences(before, SnapshotFolder(folder, except)).size(), 2u);
  EXPECT_THROW(SnapshotFolder(folder + "\\missing", {}), std::runtime_error);
  std::filesystem::remove_all(root);
}

TEST(MachineSnapshot, KeyTreesHoldSubKeysAndValues) {
  const std::string key =
      "SOFTWARE\\TidemarkTest\\snapshot_" + std::to_string(GetCurrentProcessId());
  HKEY created = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (key + "\\Child").c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &created, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(created, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>("v"), 2);
  RegCloseKey(created);

  const SnapshotEntries before = SnapshotMachineKey(key);
  EXPECT_EQ(before.size(), 3u);  // the key, its child and the child's value
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, (key + "\\Child").c_str());
  EXPECT_EQ(SnapshotDifferences(before, SnapshotMachineKey(key)),
            (Lines{"removed HKLM\\" + key + "\\Child (key)",
                   "removed HKLM\\" + key + "\\Child value \"Name\" (type 1 data 7600)"}));
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, key.c_str());
  EXPECT_TRUE(SnapshotMachineKey(key).empty());
}

}  // namespace
}  // namespace tidemark::e2e
