// The product keys that give the installer executable its own icon and
// version information (packer/product/setup_look.h reads them). The packer
// alone reads these keys; they never reach the control information.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tidemark {

inline constexpr char kSetupIconFileKey[] = "SetupIconFile";
inline constexpr char kSetupVersionKey[] = "SetupVersion";

// What a version text is when its setup key is not given.
enum class VersionTextDefault {
  kNone,
  kAppName,
  kCompany,  // ProductDescription::Company()
};

// A setup key for a version text, with the text it fills and its default.
struct SetupVersionText {
  const char* key;
  const char* name;
  VersionTextDefault fallback;
};
inline constexpr SetupVersionText kSetupVersionTexts[] = {
    {"SetupProductName", "ProductName", VersionTextDefault::kAppName},
    {"SetupCompanyName", "CompanyName", VersionTextDefault::kCompany},
    {"SetupDescription", "FileDescription", VersionTextDefault::kAppName},
    {"SetupCopyright", "LegalCopyright", VersionTextDefault::kNone},
};

// The canonical spelling of a setup key, or empty when `key` is none.
std::string SetupKey(std::string_view key);

// Every setup key, spelt as documented.
std::vector<const char*> SetupKeys();

}  // namespace tidemark
