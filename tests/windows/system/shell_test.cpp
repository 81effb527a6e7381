#include "system/shell.h"

#include <gtest/gtest.h>

#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

TEST(ShellRun, ReportsWhetherTheShellAcceptedTheRequest) {
  testing::ScratchFolder folder;
  EXPECT_FALSE(ShellRun(folder.Sub("missing.exe"), "", SW_SHOWNORMAL, nullptr));
  EXPECT_TRUE(ShellRun("cmd.exe", "/c exit", SW_HIDE, nullptr));
}

TEST(ShellRun, TakesTextsUpToTheLimitAndRefusesLongerOnes) {
  std::string parameters = "/c rem ";
  parameters.resize(kShellRunTextLimit, 'x');
  EXPECT_TRUE(ShellRun("cmd.exe", parameters, SW_HIDE, nullptr));
  EXPECT_FALSE(ShellRun("cmd.exe", parameters + "x", SW_HIDE, nullptr));

  std::string file = "C:\\";
  file.resize(kShellRunTextLimit + 1, 'f');
  EXPECT_FALSE(ShellRun(file, "", SW_HIDE, nullptr));
}

}  // namespace
}  // namespace tidemark
