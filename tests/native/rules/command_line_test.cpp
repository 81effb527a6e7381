#include "rules/command_line.h"

#include <gtest/gtest.h>

namespace tidemark {
namespace {

TEST(CommandLineTest, NoSwitchesLeaveTheWizard) {
  for (const char* line : {"", "   ", "uninstall", "UNINSTALL /X -s S /Sx /silent"}) {
    const CommandLine command = ParseCommandLine(line);
    EXPECT_FALSE(command.unattended) << line;
    EXPECT_FALSE(command.install_folder) << line;
    EXPECT_FALSE(command.log_path) << line;
  }
}

TEST(CommandLineTest, SwitchesInAnyOrderWithUnknownWordsIgnored) {
  for (const char* line :
       {"/S /LOG=C:\\setup.log", "/LOG=C:\\setup.log /s",
        "uninstall /Q /LOG=C:\\setup.log /S --verbose", "\t/S\t/log=C:\\setup.log"}) {
    const CommandLine command = ParseCommandLine(line);
    EXPECT_TRUE(command.unattended) << line;
    EXPECT_EQ(command.log_path.value_or("-"), "C:\\setup.log") << line;
    EXPECT_FALSE(command.install_folder) << line;
  }
}

TEST(CommandLineTest, LogPathWithSpacesIsQuoted) {
  EXPECT_EQ(ParseCommandLine("/S /LOG=\"C:\\My Logs\\a.log\"").log_path.value_or("-"),
            "C:\\My Logs\\a.log");
  EXPECT_EQ(ParseCommandLine("\"/LOG=C:\\My Logs\\a.log\" /S").log_path.value_or("-"),
            "C:\\My Logs\\a.log");
}

TEST(CommandLineTest, FolderIsTheRestOfTheLineSpacesIncluded) {
  const CommandLine command =
      ParseCommandLine("/S /LOG=C:\\a.log /D=C:\\Program Files\\My  App /S x  ");
  EXPECT_TRUE(command.unattended);
  EXPECT_EQ(command.log_path.value_or("-"), "C:\\a.log");
  // Everything after "/D=" belongs to the path, switch-like words too.
  EXPECT_EQ(command.install_folder.value_or("-"), "C:\\Program Files\\My  App /S x");
  EXPECT_EQ(ParseCommandLine("/d=D:\\Apps").install_folder.value_or("-"), "D:\\Apps");
  EXPECT_EQ(ParseCommandLine("/S /D=").install_folder.value_or("-"), "");
  // "/D=" inside a word is no switch.
  EXPECT_FALSE(ParseCommandLine("/S x/D=C:\\App").install_folder);
}

TEST(CommandLineTest, QuotedFolderAsDeploymentToolsPassIt) {
  struct Row {
    const char* line;
    const char* folder;
    const char* log;
  } const rows[] = {
      {"/S \"/D=C:\\Apps\\My Tools\"", "C:\\Apps\\My Tools", "-"},
      {"\"/D=C:\\Apps\\My Tools\" /S \"/LOG=C:\\My Logs\\a.log\"", "C:\\Apps\\My Tools",
       "C:\\My Logs\\a.log"},
      {"/S \"/d=D:\\X\" /LOG=C:\\a.log", "D:\\X", "C:\\a.log"},
      {"/S /D=\"C:\\Apps\\My Tools\"", "C:\\Apps\\My Tools", "-"},
      {"/S /D=C:\\Apps\\My Tools", "C:\\Apps\\My Tools", "-"},
      {"/S \"/D=\"", "", "-"},
  };
  for (const Row& row : rows) {
    const CommandLine command = ParseCommandLine(row.line);
    EXPECT_TRUE(command.unattended) << row.line;
    EXPECT_EQ(command.install_folder.value_or("-"), row.folder) << row.line;
    EXPECT_EQ(command.log_path.value_or("-"), row.log) << row.line;
  }
}

}  // namespace
}  // namespace tidemark
