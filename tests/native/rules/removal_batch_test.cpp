#include "rules/removal_batch.h"

#include <gtest/gtest.h>

#include <string>

namespace tidemark {
namespace {

// The retry loop around the deletion of `quoted_uninstaller`.
std::string DeleteWithRetry(const std::string& quoted_uninstaller) {
  return "@echo off\r\n"
         "set tidemark_tries=0\r\n"
         ":retry\r\n"
         "del " + quoted_uninstaller + " >nul 2>nul\r\n"
         "if not exist " + quoted_uninstaller + " goto removed\r\n"
         "set /a tidemark_tries+=1\r\n"
         "if %tidemark_tries% geq 10 goto removed\r\n"
         "ping -n 2 127.0.0.1 >nul\r\n"
         "goto retry\r\n"
         ":removed\r\n";
}

TEST(RemovalBatchTest, DeletesTheUninstallerThenItsFolderThenItself) {
  const auto text = RemovalBatchText("C:\\Program Files\\Marrowlight\\uninstall.exe");
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, DeleteWithRetry("\"C:\\Program Files\\Marrowlight\\uninstall.exe\"") +
                       "rmdir \"C:\\Program Files\\Marrowlight\"\r\n"
                       "del \"C:\\uninstall_rd.bat\"\r\n");
}

TEST(RemovalBatchTest, DoublesPercentSignsInPaths) {
  const auto text = RemovalBatchText("D:\\100%\\%PATH%\\uninstall.exe");
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, DeleteWithRetry("\"D:\\100%%\\%%PATH%%\\uninstall.exe\"") +
                       "rmdir \"D:\\100%%\\%%PATH%%\"\r\n"
                       "del \"C:\\uninstall_rd.bat\"\r\n");
}

TEST(RemovalBatchTest, NamesTheFolderWithoutTrailingSeparators) {
  const auto text = RemovalBatchText("C:\\App\\\\uninstall.exe");
  ASSERT_TRUE(text.has_value());
  EXPECT_EQ(*text, DeleteWithRetry("\"C:\\App\\\\uninstall.exe\"") +
                       "rmdir \"C:\\App\"\r\n"
                       "del \"C:\\uninstall_rd.bat\"\r\n");
}

TEST(RemovalBatchTest, ARootFolderIsNotRemoved) {
  for (const char* path : {"D:\\uninstall.exe", "D:\\\\uninstall.exe"}) {
    const auto text = RemovalBatchText(path);
    ASSERT_TRUE(text.has_value()) << path;
    EXPECT_EQ(*text, DeleteWithRetry("\"" + std::string(path) + "\"") +
                         "del \"C:\\uninstall_rd.bat\"\r\n");
  }
}

TEST(RemovalBatchTest, NoBatchForPathsItCannotNameSafely) {
  for (const char* path : {"", "uninstall.exe", "\\uninstall.exe", "C:uninstall.exe",
                           "C:\\A\"&del x\\uninstall.exe", "C:\\A\r\nx\\uninstall.exe"}) {
    EXPECT_FALSE(RemovalBatchText(path).has_value()) << path;
  }
  EXPECT_FALSE(RemovalBatchText(std::string("C:\\A\0\\uninstall.exe", 20)).has_value());
}

}  // namespace
}  // namespace tidemark
