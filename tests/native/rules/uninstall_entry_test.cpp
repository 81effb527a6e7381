#include "rules/uninstall_entry.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>

#include "rules/installed_size.h"

namespace tidemark {
namespace {

std::string NumberText(std::optional<uint32_t> number) {
  return number ? std::to_string(*number) : "none";
}

TEST(UninstallEntryTest, ValueForms) {
  struct Row {
    const char* what;
    std::string got;
    const char* expected;
  } const rows[] = {
      {"no bytes", KiBText(0), "0"},
      {"one byte is a whole KiB", KiBText(1), "1"},
      {"exactly 1 KiB", KiBText(1024), "1"},
      {"a byte over", KiBText(1025), "2"},
      {"just under 2 GiB", KiBText(2147483647), "2097152"},
      {"date", InstallDateText(2026, 3, 9), "20260309"},
      {"date at the year's end", InstallDateText(1999, 12, 31), "19991231"},
      {"major", NumberText(VersionPart("1.2.3", 0)), "1"},
      {"minor", NumberText(VersionPart("1.2.3", 1)), "2"},
      {"minor of a single number", NumberText(VersionPart("7", 1)), "none"},
      {"leading digits only", NumberText(VersionPart("2.5-beta", 1)), "5"},
      {"no digits", NumberText(VersionPart("v2.0", 0)), "none"},
      {"empty part", NumberText(VersionPart("1..3", 1)), "none"},
      {"largest", NumberText(VersionPart("4294967295", 0)), "4294967295"},
      {"beyond 32 bits", NumberText(VersionPart("4294967296", 0)), "none"},
      {"quiet uninstall, blanks", QuietUninstallCommand("C:\\Program Files\\My Tools"),
       "\"C:\\Program Files\\My Tools\\uninstall.exe\" /S"},
      {"quiet uninstall, quoted without blanks", QuietUninstallCommand("D:\\X"),
       "\"D:\\X\\uninstall.exe\" /S"},
      {"icon", IconReference("C:\\Program Files\\X\\x.exe"), "\"C:\\Program Files\\X\\x.exe\",0"},
  };
  for (const Row& row : rows) EXPECT_EQ(row.got, row.expected) << row.what;
}

ControlInfo MakeControlInfo(std::initializer_list<const char*> lines) {
  ControlInfo info;
  for (const char* line : lines) info.AddLine(line);
  return info;
}

std::string Describe(const std::vector<EntryValue>& values) {
  std::string text;
  for (const EntryValue& value : values) {
    text += std::string(value.name) + "=" +
            (value.number ? "dword:" + std::to_string(*value.number) : value.text) + "\n";
  }
  return text;
}

TEST(UninstallEntryTest, EveryKeyInItsPlaceAndNoneWithoutKeys) {
  const ControlInfo full =
      MakeControlInfo({"AppName=Marrowlight", "AppVersion=1.4.2", "AppPublisher=Brackwater",
                       "AppIconFile=uninstall.exe", "AppSize=679", "UninstallEntry=full",
                       "AppAboutUrl=https://example.org/", "AppHelpUrl=https://example.org/help"});
  EXPECT_EQ(Describe(PlanUninstallDetails(full, "C:\\Apps\\Marrowlight", "20260309")),
            "DisplayVersion=1.4.2\n"
            "Publisher=Brackwater\n"
            "DisplayIcon=\"C:\\Apps\\Marrowlight\\uninstall.exe\",0\n"
            "EstimatedSize=dword:679\n"
            "InstallLocation=C:\\Apps\\Marrowlight\n"
            "InstallDate=20260309\n"
            "QuietUninstallString=\"C:\\Apps\\Marrowlight\\uninstall.exe\" /S\n"
            "NoModify=dword:1\n"
            "NoRepair=dword:1\n"
            "URLInfoAbout=https://example.org/\n"
            "HelpLink=https://example.org/help\n"
            "VersionMajor=dword:1\n"
            "VersionMinor=dword:4\n");
  const ControlInfo plain = MakeControlInfo({"AppName=Marrowlight", "AppVersion=", "Filebytes=9"});
  EXPECT_EQ(Describe(PlanUninstallDetails(plain, "C:\\Apps\\Marrowlight", "20260309")), "");
}

}  // namespace
}  // namespace tidemark
