// The tidemark program as a user runs it: exit codes and messages.
#include <gtest/gtest.h>

#include "container/layout.h"
#include "packer/cli/build_command.h"
#include "packer/cli/command_line.h"
#include "packer/cli/commands.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

PackOptions ParsedBuild(const std::vector<std::string>& words) {
  return BuildOptions(ParseArguments("build", FindSubcommand("build")->arguments, words));
}

TEST(CommandLineTest, ParsesBuildOptions) {
  const PackOptions options = ParsedBuild({"--stub", "s", "--product", "p.ini", "--out", "o.exe",
                                           "--scrambled", "--level", "0", "--jobs", "3"});
  EXPECT_EQ(options.stub_path, "s");
  EXPECT_EQ(options.description_path, "p.ini");
  EXPECT_EQ(options.output_path, "o.exe");
  EXPECT_TRUE(options.scrambled);
  EXPECT_EQ(options.level, 0);
  EXPECT_EQ(options.jobs, 3);
  EXPECT_EQ(ParsedBuild({"--stub", "s", "--product", "p", "--out", "o"}).level, 10);
}

TEST(CommandLineTest, UsageErrorsExitWithTwo) {
  for (const char* arguments : {"", "frobnicate", "build --stub s --product p",
                                "build --level 13 --stub s --product p --out o",
                                "build --jobs 0 --stub s --product p --out o",
                                "build --level x --stub s --product p --out o", "list",
                                "extract setup.exe", "extract setup.exe \"\"", "verify a b",
                                "build --codepage x --stub s --product p --out o"}) {
    std::string output;
    EXPECT_EQ(RunTidemark(arguments, &output), kExitUsage) << arguments;
    EXPECT_NE(output.find("Usage:"), std::string::npos) << arguments;
  }
  std::string help;
  EXPECT_EQ(RunTidemark("--help", &help), kExitSuccess);
  EXPECT_NE(help.find("tidemark build --product PRODUCT.ini"), std::string::npos);
  for (const char* command : {"build", "list", "verify", "extract", "init"}) {
    EXPECT_EQ(RunTidemark(std::string(command) + " --help", &help), kExitSuccess) << command;
    EXPECT_EQ(help.rfind(std::string("Usage:\n  tidemark ") + command, 0), 0u) << help;
  }
  EXPECT_EQ(RunTidemark("--version", &help), kExitSuccess);
  EXPECT_EQ(help.rfind("tidemark ", 0), 0u) << help;
}

TEST(CommandLineTest, InitWritesAProductThatBuildsAsItStands) {
  TempFolder folder;
  const std::string product = folder.File("starter");
  std::string output;
  ASSERT_EQ(RunTidemark("init " + product, &output), kExitSuccess) << output;
  WriteFile(folder.File("stub.exe"), StubBytes());
  const std::string build =
      "build --stub " + folder.File("stub.exe") + " --product " + product + "/product.ini --out ";
  ASSERT_EQ(RunTidemark(build + folder.File("setup.exe"), &output), kExitSuccess) << output;
  EXPECT_NE(output.find("5 items (1 files)"), std::string::npos) << output;
  EXPECT_EQ(output.find("warning"), std::string::npos) << output;
  EXPECT_EQ(RunTidemark(build + folder.File("quiet.exe") + " --quiet", &output), kExitSuccess);
  EXPECT_EQ(output, "");
  EXPECT_EQ(RunTidemark("verify " + folder.File("setup.exe"), &output), kExitSuccess) << output;
  EXPECT_EQ(RunTidemark("init " + product, &output), kExitFailure);  // not an empty folder
}

TEST(CommandLineTest, BuildVerifyAndFaultsThroughTheProgram) {
  TempFolder folder;
  WorkedExample example(folder);
  const std::string setup = folder.File("setup.exe");
  const std::string build =
      "build --stub " + example.stub() + " --product " + example.description() + " --out " + setup;
  std::string output;
  ASSERT_EQ(RunTidemark(build + " --scrambled --jobs 2", &output), kExitSuccess) << output;
  EXPECT_EQ(RunTidemark("verify " + setup, &output), kExitSuccess) << output;
  EXPECT_EQ(RunTidemark("list " + setup, &output), kExitSuccess) << output;
  EXPECT_NE(output.find(ScrambledStartMarker()), std::string::npos);

  Bytes bytes = ReadWholeFile(setup);
  bytes[bytes.size() - 3] ^= 0x10;
  WriteFile(setup, bytes);
  EXPECT_EQ(RunTidemark("verify " + setup, &output), kExitFailure);
  EXPECT_NE(output.find("Checksum error"), std::string::npos) << output;

  WriteFile(example.File("icon.jpg"), ToBytes("GIF89a"));
  EXPECT_EQ(RunTidemark(build, &output), kExitFailure);
  EXPECT_NE(output.find("IconFile"), std::string::npos) << output;
  EXPECT_EQ(
      RunTidemark("extract " + folder.File("missing.exe") + " " + folder.File("out"), &output),
      kExitFailure);
  EXPECT_NE(output.find("missing.exe"), std::string::npos) << output;
}

}  // namespace
}  // namespace tidemark::test
