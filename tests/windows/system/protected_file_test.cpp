#include "system/protected_file.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "container/errors.h"
#include "tests/windows/system/access_list.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

// The file's access list as read back from the file system, as SDDL.
std::string DaclOf(const std::string& path) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                            nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return "(unreadable)";
  }
  char* text = nullptr;
  std::string sddl = "(unconvertible)";
  if (ConvertSecurityDescriptorToStringSecurityDescriptorA(
          descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
    sddl = text;
    LocalFree(text);
  }
  LocalFree(descriptor);
  return sddl;
}

// Each entry of `sddl` as "SID:rights", in order.
std::string EntriesOf(const std::string& sddl) {
  std::string entries;
  for (size_t open = sddl.find('('); open != std::string::npos; open = sddl.find('(', open + 1)) {
    const std::string ace = sddl.substr(open + 1, sddl.find(')', open) - open - 1);
    const size_t rights = ace.find(';', ace.find(';') + 1) + 1;
    entries += ace.substr(ace.rfind(';') + 1) + ":" +
               ace.substr(rights, ace.find(';', rights) - rights) + " ";
  }
  return entries;
}

TEST(ProtectedFile, DescriptorsAreProtectedAndNameOnlySystemAdministratorsAndUsers) {
  constexpr DWORD kReadAndRun = FILE_GENERIC_READ | FILE_GENERIC_EXECUTE;
  constexpr BYTE kInherited = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
  const struct Entry {
    WELL_KNOWN_SID_TYPE sid;
    DWORD rights;
  } kAdministrators[] = {{WinLocalSystemSid, FILE_ALL_ACCESS},
                         {WinBuiltinAdministratorsSid, FILE_ALL_ACCESS}},
    kWithUsers[] = {{WinLocalSystemSid, FILE_ALL_ACCESS},
                    {WinBuiltinAdministratorsSid, FILE_ALL_ACCESS},
                    {WinBuiltinUsersSid, kReadAndRun}};
  const struct {
    const char* sddl;
    BYTE flags;
    const Entry* entries;
    WORD count;
  } cases[] = {
      {kAdministratorsOnlySddl, 0, kAdministrators, 2},
      {kUsersReadAndRunSddl, 0, kWithUsers, 3},
      {kProtectedFolderSddl, kInherited, kWithUsers, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.sddl);
    const LocalMemory descriptor = DescriptorFromSddl(c.sddl);
    ASSERT_TRUE(descriptor);
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ASSERT_TRUE(GetSecurityDescriptorControl(descriptor.get(), &control, &revision));
    EXPECT_TRUE(control & SE_DACL_PRESENT);
    EXPECT_TRUE(control & SE_DACL_PROTECTED) << "nothing may be inherited from the parent";
    BOOL present = FALSE, defaulted = FALSE;
    PACL dacl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(descriptor.get(), &present, &dacl, &defaulted));
    ASSERT_NE(dacl, nullptr);
    ASSERT_EQ(dacl->AceCount, c.count);
    for (DWORD i = 0; i < c.count; ++i) {
      ACCESS_ALLOWED_ACE* ace = nullptr;
      ASSERT_TRUE(GetAce(dacl, i, reinterpret_cast<void**>(&ace)));
      EXPECT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
      EXPECT_EQ(ace->Header.AceFlags, c.flags) << "entry " << i;
      EXPECT_EQ(ace->Mask, c.entries[i].rights) << "entry " << i;
      EXPECT_TRUE(IsWellKnownSid(&ace->SidStart, c.entries[i].sid)) << "entry " << i;
    }
  }
}

// Whether an entry of the access list read back from `path` lets anyone but
TEST(ProtectedFile, InstallFolderAndItsFilesKeepOthersFromChangingThem) {
  testing::ScratchFolder folder;
  const std::string install = folder.Sub("App");
  ASSERT_TRUE(CreateProtectedFolder(install));
  EXPECT_FALSE(CreateProtectedFolder(install)) << "an existing folder is not made again";
  folder.WriteFile("App\\made-in-it.txt", "inherits");
  CreateUsersReadAndRunFile(install + "\\uninstall.exe")->Close();
  std::unique_ptr<FileSink> log = CreateUsersReadAndRunFile(folder.Sub("App.ilg"));
  log->Write("line\r\n", 6);
  log->Close();
  EXPECT_EQ(folder.ReadFile("App.ilg"), "line\r\n");

  // Windows keeps the lists as given; Wine keeps what a Unix mode can say of
  // them (the owner for the administrators, everyone for the users, and no
  // protection mark). Either way no entry lets anyone else change them.
  for (const char* name : {"App", "App\\made-in-it.txt", "App\\uninstall.exe", "App.ilg"}) {
    EXPECT_EQ(testing::OthersWhoMayChange(folder.Sub(name)), "") << name;
  }
  EXPECT_NE(DaclOf(install).find("(A;OICI;FA;;;SY)"), std::string::npos) << DaclOf(install);
}

TEST(AdministratorsOnlyFile, ReplacesWhatIsInTheWayAndKeepsOthersOut) {
  testing::ScratchFolder folder;
  const std::string path = folder.Sub("run.bat");

  // Nothing there, then a stale read-only file, then an empty folder.
  WriteAdministratorsOnlyFile(path, "first\r\n");
  EXPECT_EQ(folder.ReadFile("run.bat"), "first\r\n");
  // Windows keeps the list as given; Wine keeps what a Unix mode can say of
  // it. Either way no entry lets everyone or the plain users in.
  const std::string entries = EntriesOf(DaclOf(path));
  EXPECT_EQ(entries.find("WD:"), std::string::npos) << entries;
  EXPECT_EQ(entries.find("BU:"), std::string::npos) << entries;
  EXPECT_EQ(entries.find("AU:"), std::string::npos) << entries;
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
  WriteAdministratorsOnlyFile(path, "second\r\n");
  EXPECT_EQ(folder.ReadFile("run.bat"), "second\r\n");
  ASSERT_TRUE(DeleteFileA(path.c_str()));
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
  WriteAdministratorsOnlyFile(path, "third\r\n");
  EXPECT_EQ(folder.ReadFile("run.bat"), "third\r\n");

  // A folder with contents stays as it is, and the failure names the path.
  ASSERT_TRUE(DeleteFileA(path.c_str()));
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
  folder.WriteFile("run.bat\\kept.txt", "kept");
  try {
    WriteAdministratorsOnlyFile(path, "fourth\r\n");
    ADD_FAILURE() << "a folder with contents was not reported";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + path + "\". ", 0), 0u)
        << error.what();
  }
  EXPECT_EQ(folder.ReadFile("run.bat\\kept.txt"), "kept");
}

}  // namespace
}  // namespace tidemark
