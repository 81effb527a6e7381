#include "system/console_text.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

// The Western set-up that Wine and an English Windows share: ANSI 1252,
// console 437. "é" is 0xE9 in the one and 0x82 in the other; "€" (0x80) has
// no counterpart in 437.
TEST(ConsoleText, PathsReachTheCommandInterpreterAsMeant) {
  if (GetACP() != 1252 || GetOEMCP() != 437) GTEST_SKIP() << "needs code pages 1252 and 437";
  EXPECT_EQ(ToOemCodePage("C:\\Plain\\uninstall.exe"), "C:\\Plain\\uninstall.exe");
  EXPECT_EQ(ToOemCodePage("C:\\Caf\xE9 Noir"), "C:\\Caf\x82 Noir");
  EXPECT_FALSE(ToOemCodePage("C:\\Price \x80").has_value());
  EXPECT_EQ(PathForCommandInterpreter("C:\\Caf\xE9 Noir\\a.exe"), "C:\\Caf\x82 Noir\\a.exe");

  // Not held by 437: the existing file's short form, which reaches the same file.
  testing::ScratchFolder folder;
  folder.WriteFile("price \x80.txt", "x");
  const std::string path = folder.Sub("price \x80.txt");
  const std::string for_batch = PathForCommandInterpreter(path);
  EXPECT_NE(for_batch, path);
  EXPECT_EQ(for_batch.find('\x80'), std::string::npos) << for_batch;
  EXPECT_NE(GetFileAttributesA(for_batch.c_str()), INVALID_FILE_ATTRIBUTES) << for_batch;
}

}  // namespace
}  // namespace tidemark
