// The installer executable's own look, and the stub dressed with it: its
// icon (a Windows .ico file) and version information among the stub's
// resources.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "packer/stub/version_resource.h"

namespace tidemark {

struct SetupLook {
  std::string icon_path;               // empty: the stub's own icon
  std::vector<uint8_t> icon;           // the .ico file's bytes
  std::optional<VersionInfo> version;  // none: no version information

  bool empty() const { return icon_path.empty() && !version; }
};

// The stub with the look's icon and version information among its
// resources; the stub itself, byte for byte, when the look is empty. A
// signed stub is refused either way: its signature would name a table that
// the container then follows.
std::vector<uint8_t> DressStub(std::vector<uint8_t> stub, const std::string& stub_name,
                               const SetupLook& look);

}  // namespace tidemark
