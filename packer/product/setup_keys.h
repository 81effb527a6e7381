// The product keys that give the installer executable its own icon and
// version information (packer/product/setup_look.h reads them). The packer
// alone reads these keys; they never reach the control information.
#pragma once

#include <string>
#include <string_view>

namespace tidemark {

inline constexpr char kSetupIconFileKey[] = "SetupIconFile";
inline constexpr char kSetupVersionKey[] = "SetupVersion";

// A setup key for a version text, with the text it fills and the vendor key
// it defaults to (nullptr: none).
struct SetupVersionText {
  const char* key;
  const char* name;
  const char* fallback;
};
inline constexpr SetupVersionText kSetupVersionTexts[] = {
    {"SetupProductName", "ProductName", "AppName"},
    {"SetupCompanyName", "CompanyName", "AppCompany"},
    {"SetupDescription", "FileDescription", "AppName"},
    {"SetupCopyright", "LegalCopyright", nullptr},
};

// The canonical spelling of a setup key, or empty when `key` is none.
std::string SetupKey(std::string_view key);

}  // namespace tidemark
