#include "rules/shortcut_plan.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

namespace tidemark {
namespace {

ControlInfo MakeControlInfo(std::initializer_list<const char*> lines) {
  ControlInfo info;
  for (const char* line : lines) info.AddLine(line);
  return info;
}

ShortcutFolders AllFolders() {
  ShortcutFolders folders;
  folders.install_folder = "C:\\Program Files\\Marrowlight";
  folders.desktop_folder = "C:\\Users\\Public\\Desktop";
  folders.programs_folder = "C:\\ProgramData\\Start Menu\\Programs";
  folders.app_name = "Marrowlight";
  return folders;
}

const ControlInfo kTypical = MakeControlInfo(
    {"AppName=Marrowlight", "ExeName=marrow.exe", "ExeShortCut=Marrowlight",
     "ShortcutName1=Read Me", "ShortcutPath1=docs\\readme.txt", "ShortcutName2=Help",
     "ShortcutPath2=help.chm", "ShortcutName3=", "ShortcutName4=Ignored", "ShortcutPath4=x.exe"});

TEST(ShortcutPlanTest, DesktopThenGroupMainThenFurtherUntilTheFirstEmptyName) {
  const ShortcutPlan plan = PlanShortcuts(kTypical, AllFolders());
  ASSERT_TRUE(plan.desktop.has_value());
  EXPECT_EQ(plan.desktop->link_path, "C:\\Users\\Public\\Desktop\\Marrowlight.lnk");
  EXPECT_EQ(plan.desktop->target, "C:\\Program Files\\Marrowlight\\marrow.exe");
  EXPECT_EQ(plan.desktop->description, "Marrowlight");
  EXPECT_EQ(plan.desktop->working_folder, "C:\\Program Files\\Marrowlight\\");

  const std::string group = "C:\\ProgramData\\Start Menu\\Programs\\Marrowlight";
  EXPECT_EQ(plan.group_folder, group);
  ASSERT_EQ(plan.group.size(), 3u);
  EXPECT_EQ(plan.group[0].link_path, group + "\\Marrowlight.lnk");
  EXPECT_EQ(plan.group[0].target, plan.desktop->target);
  EXPECT_EQ(plan.group[0].description, plan.desktop->description);
  EXPECT_EQ(plan.group[0].working_folder, plan.desktop->working_folder);

  EXPECT_EQ(plan.group[1].link_path, group + "\\Read Me.lnk");
  EXPECT_EQ(plan.group[1].target, "C:\\Program Files\\Marrowlight\\docs\\readme.txt");
  EXPECT_EQ(plan.group[1].description, "Read Me");
  EXPECT_EQ(plan.group[1].working_folder, "C:\\Program Files\\Marrowlight\\docs\\");
  EXPECT_EQ(plan.group[2].link_path, group + "\\Help.lnk");

  EXPECT_EQ(plan.LogEntries(),
            (std::vector<std::string>{"C:\\Users\\Public\\Desktop\\Marrowlight.lnk",
                                      group + "\\Marrowlight.lnk", group + "\\Read Me.lnk",
                                      group + "\\Help.lnk"}));
}

TEST(ShortcutPlanTest, EachFolderOnItsOwn) {
  ShortcutFolders desktop_only = AllFolders();
  desktop_only.programs_folder.clear();
  const ShortcutPlan only_desktop = PlanShortcuts(kTypical, desktop_only);
  EXPECT_TRUE(only_desktop.desktop.has_value());
  EXPECT_EQ(only_desktop.group_folder, "");
  EXPECT_TRUE(only_desktop.group.empty()) << "further shortcuts never go to the desktop";

  ShortcutFolders programs_only = AllFolders();
  programs_only.desktop_folder.clear();
  const ShortcutPlan only_group = PlanShortcuts(kTypical, programs_only);
  EXPECT_FALSE(only_group.desktop.has_value());
  EXPECT_EQ(only_group.group.size(), 3u);

  ShortcutFolders neither = AllFolders();
  neither.desktop_folder.clear();
  neither.programs_folder.clear();
  EXPECT_TRUE(PlanShortcuts(kTypical, neither).LogEntries().empty());
}

TEST(ShortcutPlanTest, KeysIgnoreCaseAndMissingValuesAreEmpty) {
  const ControlInfo info = MakeControlInfo(
      {"exeshortcut=Marrow", "EXENAME=m.exe", "shortcutname1=Tool", "SHORTCUTPATH1="});
  const ShortcutPlan plan = PlanShortcuts(info, AllFolders());
  ASSERT_EQ(plan.group.size(), 2u);
  EXPECT_EQ(plan.group[0].description, "Marrow");
  EXPECT_EQ(plan.group[0].target, "C:\\Program Files\\Marrowlight\\m.exe");
  EXPECT_EQ(plan.group[1].target, "C:\\Program Files\\Marrowlight\\")
      << "an empty path targets the install folder";

  const ShortcutPlan bare = PlanShortcuts(ControlInfo(), AllFolders());
  ASSERT_TRUE(bare.desktop.has_value());
  EXPECT_EQ(bare.desktop->link_path, "C:\\Users\\Public\\Desktop\\.lnk");
  EXPECT_EQ(bare.desktop->target, "C:\\Program Files\\Marrowlight\\");
  ASSERT_EQ(bare.group.size(), 1u) << "no further shortcut without ShortcutName1";
}

TEST(ShortcutPlanTest, OnlyNamesThatWouldLeaveTheirFolderAreLeftOut) {
  const ControlInfo info =
      MakeControlInfo({"ExeShortCut=..\\..\\Startup\\Evil", "ExeName=m.exe",
                       "ShortcutName1=Sub\\Name", "ShortcutPath1=a.exe", "ShortcutName2=C:Other",
                       "ShortcutPath2=b.exe", "ShortcutName3=What?", "ShortcutPath3=c.exe",
                       "ShortcutName4=NUL", "ShortcutPath4=d.exe", "ShortcutName5=a|b<c>\"d*\te",
                       "ShortcutPath5=e.exe", "ShortcutName6=Fine", "ShortcutPath6=f.exe"});
  const ShortcutPlan plan = PlanShortcuts(info, AllFolders());
  EXPECT_FALSE(plan.desktop.has_value());
  // Characters that Windows refuses stand as written: the shell fails to
  // write those links, and the log lists them all the same.
  const std::string group = "C:\\ProgramData\\Start Menu\\Programs\\Marrowlight\\";
  EXPECT_EQ(plan.LogEntries(),
            (std::vector<std::string>{group + "What?.lnk", group + "a|b<c>\"d*\te.lnk",
                                      group + "Fine.lnk"}))
      << "the list goes on past a refused name";
}

TEST(UninstallRegistrationTest, KeyNamesTheProductAndTheCommandIsThePathQuotedWhenBlankAndTheWord) {
  EXPECT_EQ(UninstallKeyPath("Marrowlight"),
            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Marrowlight");
  const auto registration =
      PlanUninstallRegistration("Marrowlight", "C:\\Program Files\\Marrowlight");
  ASSERT_TRUE(registration.has_value());
  EXPECT_EQ(registration->key_path, UninstallKeyPath("Marrowlight"));
  EXPECT_EQ(registration->display_name, "Marrowlight");
  EXPECT_EQ(registration->uninstall_string,
            "\"C:\\Program Files\\Marrowlight\\uninstall.exe\" uninstall");
  EXPECT_EQ(PlanUninstallRegistration("X", "D:\\Apps%1\\X")->uninstall_string,
            "D:\\Apps%1\\X\\uninstall.exe uninstall");
  EXPECT_FALSE(PlanUninstallRegistration("", "C:\\Program Files\\X").has_value());
}

}  // namespace
}  // namespace tidemark
