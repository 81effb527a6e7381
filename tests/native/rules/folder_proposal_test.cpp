#include "rules/folder_proposal.h"

#include <gtest/gtest.h>

#include "tests/native/rules/shift_jis.h"

namespace tidemark {
namespace {

const char kProgramFiles[] = "C:\\Program Files";

void ExpectProposal(std::string_view target, const std::string& base, const std::string& name) {
  const FolderProposal proposal = ProposeFolder(target, kProgramFiles);
  EXPECT_EQ(proposal.folder_base, base) << target;
  EXPECT_EQ(proposal.name, name) << target;
}

TEST(FolderProposalTest, ReplacesTheLeadingComponentByProgramFiles) {
  ExpectProposal("%ProgramFiles%\\Marrowlight", "C:\\Program Files\\", "Marrowlight");
  ExpectProposal("%ProgramFiles%\\Brackwater\\Marrowlight", "C:\\Program Files\\Brackwater\\",
                 "Marrowlight");
  ExpectProposal("D:\\Apps\\Marrowlight", "C:\\Program Files\\Apps\\", "Marrowlight");
  ExpectProposal("anything\\Marrowlight", "C:\\Program Files\\", "Marrowlight");
  ExpectProposal("\\\\server\\share\\Marrowlight", "C:\\Program Files\\\\server\\share\\",
                 "Marrowlight");
}

TEST(FolderProposalTest, TargetsWithoutAFolder) {
  ExpectProposal("Marrowlight", "C:\\Program Files", "Marrowlight");
  ExpectProposal("", "C:\\Program Files", "");
  // A drive alone is a leading component too: dropped, not glued on.
  ExpectProposal("D:Marrowlight", "C:\\Program Files", "Marrowlight");
  ExpectProposal("%ProgramFiles%:Marrowlight", "C:\\Program Files", "Marrowlight");
}

TEST(FolderProposalTest, TargetsEndingWithASeparatorHaveNoName) {
  ExpectProposal("%ProgramFiles%\\Marrowlight\\", "C:\\Program Files\\Marrowlight\\", "");
  ExpectProposal("%ProgramFiles%\\", "C:\\Program Files\\", "");
}

TEST(FolderProposalTest, InitialLineNeedsAnEnteredBaseAndAName) {
  const FolderProposal one_level = ProposeFolder("%ProgramFiles%\\Marrowlight", kProgramFiles);
  EXPECT_EQ(InitialInstallFolderLine(one_level, true), "C:\\Program Files\\Marrowlight");
  EXPECT_EQ(InitialInstallFolderLine(one_level, false), "");

  const FolderProposal two_levels =
      ProposeFolder("%ProgramFiles%\\Brackwater\\Marrowlight", kProgramFiles);
  EXPECT_EQ(InitialInstallFolderLine(two_levels, true),
            "C:\\Program Files\\Brackwater\\Marrowlight");
  EXPECT_EQ(InitialInstallFolderLine(two_levels, false), "");

  const FolderProposal bare = ProposeFolder("Marrowlight", kProgramFiles);
  EXPECT_EQ(InitialInstallFolderLine(bare, true), "C:\\Program Files\\Marrowlight");

  for (const char* target : {"", "%ProgramFiles%\\Marrowlight\\"}) {
    EXPECT_EQ(InitialInstallFolderLine(ProposeFolder(target, kProgramFiles), true), "") << target;
  }
}

TEST(InstallFolderLineTest, AddsOneSeparatorOnlyWhenMissing) {
  EXPECT_EQ(InstallFolderLine("D:\\Work", "Marrowlight"), "D:\\Work\\Marrowlight");
  EXPECT_EQ(InstallFolderLine("D:\\", "Marrowlight"), "D:\\Marrowlight");
  EXPECT_EQ(InstallFolderLine("C:\\Program Files\\", ""), "C:\\Program Files\\");
  EXPECT_EQ(InstallFolderLine("D:\\Work", ""), "D:\\Work\\");
  EXPECT_EQ(InstallFolderLine("D:\\Work", "Sub\\Dir"), "D:\\Work\\Sub\\Dir");
  EXPECT_EQ(InstallFolderLine("D:\\Work\\\\", "x"), "D:\\Work\\\\x") << "never normalised";
  EXPECT_EQ(InstallFolderLine("D:\\Work", " Name "), "D:\\Work\\ Name ");
}

TEST(FolderProposalTest, DoubleByteCharactersEndingInABackslashByte) {
  const std::string folder = "D:\\" + kTableChar;
  EXPECT_EQ(InstallFolderLine(folder, "x", ShiftJisLeadByte), folder + "\\x");
  const FolderProposal proposal =
      ProposeFolder("%ProgramFiles%\\" + kTableChar, kProgramFiles, ShiftJisLeadByte);
  EXPECT_EQ(proposal.folder_base, "C:\\Program Files\\");
  EXPECT_EQ(proposal.name, kTableChar);
}

}  // namespace
}  // namespace tidemark
