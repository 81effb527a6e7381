#include "rules/installed_files.h"

#include <gtest/gtest.h>

namespace tidemark {
namespace {

TEST(InstalledFilesTest, NamesArePlainlyJoined) {
  EXPECT_EQ(InstallLogFileName("Marrowlight"), "Marrowlight.ilg");
  EXPECT_EQ(InstallLogFileName(""), ".ilg");
  EXPECT_EQ(UninstallerPathIn("C:\\App"), "C:\\App\\uninstall.exe");
  EXPECT_EQ(UninstallerPathIn("C:\\App\\"), "C:\\App\\\\uninstall.exe");
  EXPECT_EQ(ProgramGroupFolder("C:\\Programs", "App"), "C:\\Programs\\App");
  EXPECT_EQ(ProgramGroupFolder("C:\\Programs\\", "App"), "C:\\Programs\\\\App");
}

}  // namespace
}  // namespace tidemark
