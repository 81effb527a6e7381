#include "rules/removal_batch.h"

#include <gtest/gtest.h>

#include <string>

namespace tidemark {
namespace {

constexpr char kSystemFolder[] = "C:\\windows\\system32";

// The whole batch for `uninstaller_path`: the retry loop around the deletion
// of `quoted_uninstaller`, then `folder_line` (if any), then the batch's own
// deletion.
void ExpectBatch(const std::string& uninstaller_path, const std::string& quoted_uninstaller,
                 const std::string& folder_line) {
  const auto text = RemovalBatchText(uninstaller_path, kSystemFolder);
  ASSERT_TRUE(text.has_value()) << uninstaller_path;
  EXPECT_EQ(*text,
            "@echo off\r\n"
            "set tidemark_tries=0\r\n"
            ":retry\r\n"
            "del " +
                quoted_uninstaller +
                " >nul 2>nul\r\n"
                "if not exist " +
                quoted_uninstaller +
                " goto removed\r\n"
                "set /a tidemark_tries+=1\r\n"
                "if %tidemark_tries% geq 10 goto removed\r\n"
                "\"C:\\windows\\system32\\ping.exe\" -n 2 127.0.0.1 >nul\r\n"
                "goto retry\r\n"
                ":removed\r\n" +
                folder_line + "del \"C:\\uninstall_rd.bat\"\r\n");
}

TEST(RemovalBatchTest, DeletesTheUninstallerThenItsFolderThenItself) {
  ExpectBatch("C:\\Program Files\\Marrowlight\\uninstall.exe",
              "\"C:\\Program Files\\Marrowlight\\uninstall.exe\"",
              "rmdir \"C:\\Program Files\\Marrowlight\"\r\n");
}

TEST(RemovalBatchTest, DoublesPercentSignsInPaths) {
  ExpectBatch("D:\\100%\\%PATH%\\uninstall.exe", "\"D:\\100%%\\%%PATH%%\\uninstall.exe\"",
              "rmdir \"D:\\100%%\\%%PATH%%\"\r\n");
}

TEST(RemovalBatchTest, NamesTheFolderWithoutTrailingSeparators) {
  ExpectBatch("C:\\App\\\\uninstall.exe", "\"C:\\App\\\\uninstall.exe\"", "rmdir \"C:\\App\"\r\n");
}

TEST(RemovalBatchTest, ARootFolderIsNotRemoved) {
  ExpectBatch("D:\\uninstall.exe", "\"D:\\uninstall.exe\"", "");
  ExpectBatch("D:\\\\uninstall.exe", "\"D:\\\\uninstall.exe\"", "");
}

TEST(RemovalBatchTest, NoBatchForPathsItCannotNameSafely) {
  for (const char* path : {"", "uninstall.exe", "\\uninstall.exe", "C:uninstall.exe",
                           "C:\\A\"&del x\\uninstall.exe", "C:\\A\r\nx\\uninstall.exe",
                           "C:\\uninstall.exe\\..\\Victim\\*.txt", "C:\\A\\uninstall.ex?"}) {
    EXPECT_FALSE(RemovalBatchText(path, kSystemFolder).has_value()) << path;
  }
  EXPECT_FALSE(
      RemovalBatchText(std::string("C:\\A\0\\uninstall.exe", 20), kSystemFolder).has_value());
  // Nor without a system folder that names ping.exe wherever the batch runs.
  for (const char* folder : {"", "system32", "C:system32", "C:\\win\"dows"}) {
    EXPECT_FALSE(RemovalBatchText("C:\\App\\uninstall.exe", folder).has_value()) << folder;
  }
}

}  // namespace
}  // namespace tidemark
