#include "system/protected_file.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <gtest/gtest.h>

#include "container/errors.h"
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

TEST(AdministratorsOnlyFile, DescriptorIsProtectedAndNamesOnlySystemAndAdministrators) {
  const LocalMemory descriptor = AdministratorsOnlyDescriptor();
  ASSERT_TRUE(descriptor);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  ASSERT_TRUE(GetSecurityDescriptorControl(descriptor.get(), &control, &revision));
  EXPECT_TRUE(control & SE_DACL_PRESENT);
  EXPECT_TRUE(control & SE_DACL_PROTECTED) << "nothing may be inherited";
  BOOL present = FALSE, defaulted = FALSE;
  PACL dacl = nullptr;
  ASSERT_TRUE(GetSecurityDescriptorDacl(descriptor.get(), &present, &dacl, &defaulted));
  ASSERT_NE(dacl, nullptr);
  ASSERT_EQ(dacl->AceCount, 2);
  const WELL_KNOWN_SID_TYPE expected[] = {WinLocalSystemSid, WinBuiltinAdministratorsSid};
  for (DWORD i = 0; i < 2; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    ASSERT_TRUE(GetAce(dacl, i, reinterpret_cast<void**>(&ace)));
    EXPECT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_EQ(ace->Header.AceFlags, 0) << "entry " << i << " must not be inherited";
    EXPECT_EQ(ace->Mask, static_cast<DWORD>(FILE_ALL_ACCESS));
    EXPECT_TRUE(IsWellKnownSid(&ace->SidStart, expected[i])) << "entry " << i;
  }
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
