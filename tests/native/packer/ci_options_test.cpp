// The build options a pipeline leans on, through the program: --set sets a
// product key as a line of the product file does, and --warnings-as-errors
// stops the build at a warning.
#include <gtest/gtest.h>

#include <filesystem>

#include "packer/cli/command_line.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

TEST(CiOptionsTest, SetAndWarningsAsErrors) {
  TempFolder folder;
  const std::string product = folder.File("starter");  // AppName=My Product, AppVersion=1.0
  ASSERT_EQ(RunTidemark("init " + product), kExitSuccess);
  WriteFile(folder.File("stub.exe"), StubBytes());
  const std::string setup = folder.File("setup.exe");
  const std::string build = "build --stub " + folder.File("stub.exe") + " --product " + product +
                            "/product.ini --out " + setup + " ";

  struct Row {
    std::string options;
    int exit_code;
    std::string told;    // in the build's output
    std::string listed;  // in the listing of what was built
  } const rows[] = {
      {"--set AppName=Overridden", kExitSuccess, "", "  AppName=Overridden\n"},
      {"--set ' appversion = 2.5=rc ' --set AppHelpUrl=https://example.org/help", kExitSuccess, "",
       "  AppVersion=2.5=rc\n"},
      {"--set AppName=A --set appname=B", kExitFailure,
       "command line (--set appname=B): key \"AppName\" is given twice (first in --set AppName=A)",
       ""},
      {"--set Colour=red --set nothing", kExitFailure,
       "command line (--set Colour=red): unknown key \"Colour\"\n"
       "  command line (--set nothing): expected name=value, found \"nothing\"",
       ""},
      {"--set SplashFile=missing.jpg", kExitFailure,
       "SplashFile \"" + product + "/missing.jpg\" does not exist", ""},
      {"--set 'TargetFolder=C:\\Apps'", kExitSuccess,
       "command line (--set TargetFolder=C:\\Apps): warning: key TargetFolder", ""},
      {"--set 'TargetFolder=C:\\Apps' --warnings-as-errors", kExitFailure,
       "(0 errors and 1 warning, --warnings-as-errors):\n"
       "  command line (--set TargetFolder=C:\\Apps): warning: key TargetFolder",
       ""},
      {"--warnings-as-errors", kExitSuccess, "", "  AppName=My Product\n"},
      {"-DVERSION=1.2", kExitUsage,
       "unknown option: -DVERSION=1.2; to set a product key, use --set KEY=VALUE", ""},
      {"--set", kExitUsage, "--set needs a value", ""},
  };
  for (const Row& row : rows) {
    std::filesystem::remove(setup);
    std::string output;
    EXPECT_EQ(RunTidemark(build + row.options, &output), row.exit_code) << row.options << output;
    EXPECT_NE(output.find(row.told), std::string::npos) << row.options << ": " << output;
    EXPECT_EQ(std::filesystem::exists(setup), row.exit_code == kExitSuccess) << row.options;
    if (row.listed.empty()) continue;
    EXPECT_EQ(RunTidemark("list " + setup, &output), kExitSuccess) << output;
    EXPECT_NE(output.find(row.listed), std::string::npos) << row.options << ": " << output;
  }
}

}  // namespace
}  // namespace tidemark::test
