#include "tests/windows/system/access_list.h"

#include <windows.h>
#include <aclapi.h>

#include "system/handles.h"

namespace tidemark::testing {

std::string OthersWhoMayChange(const std::string& path) {
  constexpr DWORD kChanging = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                              FILE_WRITE_ATTRIBUTES | FILE_DELETE_CHILD | DELETE | WRITE_DAC |
                              WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                            nullptr, &dacl, nullptr, &descriptor) != ERROR_SUCCESS) {
    return "(unreadable)";
  }
  const LocalMemory owned(descriptor);
  if (dacl == nullptr) return "(no list: everyone)";
  std::string others;
  for (DWORD i = 0; i < dacl->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    if (!GetAce(dacl, i, reinterpret_cast<void**>(&ace))) return "(unreadable entry)";
    if (ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE || !(ace->Mask & kChanging)) continue;
    for (const auto sid : {WinWorldSid, WinBuiltinUsersSid, WinAuthenticatedUserSid}) {
      if (IsWellKnownSid(&ace->SidStart, sid)) others += "entry " + std::to_string(i) + " ";
    }
  }
  return others;
}

}  // namespace tidemark::testing
