#include "system/unelevated_start.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

bool AppearsWithin(const std::string& path, DWORD milliseconds) {
  for (DWORD waited = 0; waited <= milliseconds; waited += 100) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    Sleep(100);
  }
  return false;
}

// Wine's desktop (explorer /desktop) answers as the shell does on Windows:
// the start goes through its process, in the folder given.
TEST(UnelevatedStart, TheDesktopShellStartsTheProgramInTheFolderGiven) {
  testing::ScratchFolder folder;
  ASSERT_TRUE(ShellExecuteThroughDesktop("cmd.exe", "/c echo started> started.txt", folder.path(),
                                         SW_HIDE));
  EXPECT_TRUE(AppearsWithin(folder.Sub("started.txt"), 10000));
}

TEST(UnelevatedStart, StartsThroughTheShellOrFallsBackAndRefusesWhatShellRunRefuses) {
  testing::ScratchFolder folder;
  folder.WriteFile("note.bat", "@echo started> \"%~dp0started.txt\"\r\n");
  EXPECT_TRUE(StartAsDesktopUser(folder.Sub("note.bat"), SW_HIDE, nullptr))
      << "elevated: " << IsProcessElevated();
  EXPECT_TRUE(AppearsWithin(folder.Sub("started.txt"), 10000));
  EXPECT_FALSE(StartAsDesktopUser("C:\\" + std::string(2000, 'f'), SW_HIDE, nullptr));
}

}  // namespace
}  // namespace tidemark
