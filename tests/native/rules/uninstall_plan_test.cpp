#include "rules/uninstall_plan.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "rules/path_rules.h"
#include "tests/native/rules/shift_jis.h"

namespace tidemark {
namespace {

using Folders = std::vector<std::string>;

const std::string kInstall = "C:\\Program Files\\Marrowlight";
const std::string kDesktop = "C:\\Users\\Public\\Desktop";
const std::string kPrograms = "C:\\ProgramData\\Start Menu\\Programs";
const std::string kGroup = kPrograms + "\\Marrowlight";

InstallLog MakeLog(std::initializer_list<std::string> entries) {
  InstallLog log;
  for (const std::string& entry : entries) log.Append(entry);
  return log;
}

InstallLog TypicalLog() {
  return MakeLog({kInstall + "\\marrow.exe", kInstall + "\\docs\\guide\\a.txt",
                  kInstall + "\\uninstall.exe", kInstall + "\\Marrowlight.ilg",
                  kDesktop + "\\Marrowlight.lnk", kGroup + "\\Marrowlight.lnk",
                  kGroup + "\\Read Me.lnk"});
}

TEST(FindUninstallerPathTest, TakesTheLastEntryContainingUninstallExe) {
  EXPECT_EQ(FindUninstallerPath(TypicalLog()), kInstall + "\\uninstall.exe");
  EXPECT_EQ(FindUninstallerPath(
                MakeLog({"C:\\A\\tools\\uninstall.exe", "C:\\A\\uninstall.exe", "C:\\A\\A.ilg"})),
            "C:\\A\\uninstall.exe");
  EXPECT_EQ(FindUninstallerPath(MakeLog({"C:\\A\\Uninstall.exe", "C:\\A\\UNINSTALL.EXE"})), "");
  EXPECT_EQ(FindUninstallerPath(MakeLog(
                {"C:\\A\\uninstall.exe", "C:\\G\\uninstall.exe.lnk", "C:\\A\\my_uninstall.exe"})),
            "C:\\A\\my_uninstall.exe");
  EXPECT_EQ(FindUninstallerPath(MakeLog({"uninstall.exe"})), "uninstall.exe");
  EXPECT_EQ(FindUninstallerPath(InstallLog()), "");
}

TEST(PruningScopeTest, TheGivenFolderAndTheProgramGroup) {
  const PruningScope typical = MakePruningScope(kInstall, kPrograms, "Marrowlight");
  EXPECT_EQ(typical.install_folder, kInstall);
  EXPECT_EQ(typical.group_folder, kGroup);
  EXPECT_EQ(MakePruningScope(kInstall, "", "Marrowlight").group_folder, "");
}

TEST(PruningScopeTest, NeverADriveNorTheProgramsFolderItself) {
  for (const char* uninstaller : {"uninstall.exe", "\\uninstall.exe", "D:\\uninstall.exe",
                                  "D:\\\\uninstall.exe", "D:uninstall.exe"}) {
    EXPECT_EQ(MakePruningScope(FolderWithoutSeparator(uninstaller), kPrograms, "A").install_folder,
              "")
        << uninstaller;
  }
  for (const char* app_name : {"", "..", "\\", "A\\..\\..", "C:\\A"}) {
    EXPECT_EQ(MakePruningScope(kInstall, kPrograms, app_name).group_folder, "") << app_name;
  }
  EXPECT_EQ(MakePruningScope(kInstall, kPrograms + "\\", "Marrowlight").group_folder,
            kPrograms + "\\\\Marrowlight");
}

TEST(FoldersToPruneTest, WholeFoldersInsideTheInstallFolderInnermostFirst) {
  const PruningScope scope = MakePruningScope(kInstall, kPrograms, "Marrowlight");
  EXPECT_EQ(FoldersToPrune(kInstall + "\\docs\\guide\\a.txt", scope),
            (Folders{kInstall + "\\docs\\guide", kInstall + "\\docs", kInstall}));
  EXPECT_EQ(FoldersToPrune(kInstall + "\\marrow.exe", scope), Folders{kInstall});
  EXPECT_EQ(FoldersToPrune(kInstall + "\\\\a\\\\b.txt", scope),
            (Folders{kInstall + "\\\\a", kInstall}))
      << "a doubled separator names the same folder once";
}

TEST(FoldersToPruneTest, ShortcutsReachOnlyTheProgramGroup) {
  const PruningScope scope = MakePruningScope(kInstall, kPrograms, "Marrowlight");
  EXPECT_EQ(FoldersToPrune(kGroup + "\\Read Me.lnk", scope), Folders{kGroup});
  EXPECT_EQ(FoldersToPrune(kDesktop + "\\Marrowlight.lnk", scope), Folders{});
  EXPECT_EQ(FoldersToPrune(kPrograms + "\\Other\\x.lnk", scope), Folders{});
}

TEST(FoldersToPruneTest, NothingOutsideTheScopeAndNoPartialNames) {
  const PruningScope scope = MakePruningScope(kInstall, kPrograms, "Marrowlight");
  EXPECT_EQ(FoldersToPrune("", scope), Folders{});
  EXPECT_EQ(FoldersToPrune("x.txt", scope), Folders{});
  EXPECT_EQ(FoldersToPrune("C:\\Program Files\\Marrowlight2\\x.txt", scope), Folders{});
  EXPECT_EQ(FoldersToPrune("C:\\Program Files\\x.txt", scope), Folders{});
  EXPECT_EQ(FoldersToPrune("C:\\x.txt", scope), Folders{});

  const PruningScope empty;
  EXPECT_EQ(FoldersToPrune(kInstall + "\\a\\b.txt", empty), Folders{});
  EXPECT_EQ(FoldersToPrune("\\a\\b.txt", empty), Folders{});
}

TEST(LeftoverFolderTest, TheUninstallersOwnFolderOnly) {
  EXPECT_EQ(LeftoverFolder(kInstall + "\\uninstall.exe"), kInstall);
  EXPECT_EQ(LeftoverFolder(kInstall + "\\\\uninstall.exe"), kInstall);
  for (const char* path : {"", "uninstall.exe", "\\uninstall.exe", "D:\\uninstall.exe",
                           "D:\\\\uninstall.exe", "D:uninstall.exe"}) {
    EXPECT_FALSE(LeftoverFolder(path).has_value()) << path;
  }
}

TEST(FoldersToPruneTest, DoubleByteFolderNamesStayWhole) {
  const std::string install = "C:\\" + kTableChar;
  const InstallLog log = MakeLog({install + "\\a\\x.txt", install + "\\uninstall.exe"});
  const PruningScope scope =
      MakePruningScope(FolderWithoutSeparator(log[1], ShiftJisLeadByte), "", "", ShiftJisLeadByte);
  EXPECT_EQ(scope.install_folder, install);
  EXPECT_EQ(FoldersToPrune(log[0], scope, ShiftJisLeadByte), (Folders{install + "\\a", install}));
  EXPECT_EQ(LeftoverFolder(log[1], ShiftJisLeadByte), install);
}

}  // namespace
}  // namespace tidemark
