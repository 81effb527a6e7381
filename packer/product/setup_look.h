// The installer executable's own look: the product keys that give it an
// icon (a Windows .ico file) and version information, and the stub dressed
// with them. The packer alone reads these keys; they never reach the
// control information.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "packer/stub/version_resource.h"

namespace tidemark {

struct ProductDescription;

inline constexpr char kSetupIconFileKey[] = "SetupIconFile";
inline constexpr char kSetupVersionKey[] = "SetupVersion";

// The canonical spelling of a setup key, or empty when `key` is none.
std::string SetupKey(std::string_view key);

struct SetupLook {
  std::string icon_path;               // empty: the stub's own icon
  std::vector<uint8_t> icon;           // the .ico file's bytes
  std::optional<VersionInfo> version;  // none: no version information

  bool empty() const { return icon_path.empty() && !version; }
};

// Reads the setup keys of `description` (paths relative to `folder`). The
// texts ProductName, CompanyName and FileDescription default to AppName,
// AppCompany and AppName; the version texts need SetupVersion. Raises Error
// naming the key at fault.
SetupLook LoadSetupLook(const ProductDescription& description, const std::string& folder);

// The stub with the look's icon and version information among its
// resources; the stub itself, byte for byte, when the look is empty. A
// signed stub is refused either way: its signature would name a table that
// the container then follows.
std::vector<uint8_t> DressStub(std::vector<uint8_t> stub, const std::string& stub_name,
                               const SetupLook& look);

}  // namespace tidemark
