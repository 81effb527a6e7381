// The VERSIONINFO resource: the version numbers and texts that Explorer
// shows in a program's properties.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "packer/stub/resource_table.h"

namespace tidemark {

struct VersionInfo {
  std::array<uint16_t, 4> numbers{};  // major, minor, build, revision
  // Texts by name (ProductName, FileVersion, ...), values in UTF-8.
  std::vector<std::pair<std::string, std::string>> texts;
};

// "1", "1.2", "1.2.3" or "1.2.3.4", each number 0 to 65535; missing numbers
// are 0. Raises Error naming `what` otherwise.
std::array<uint16_t, 4> ParseVersionNumber(const std::string& text, const std::string& what);

// The resource's bytes: VS_VERSIONINFO with its fixed part (an application
// for 32-bit Windows), one string table for US English, Unicode, and the
// matching translation. Raises Error naming the text that is not UTF-8.
std::vector<uint8_t> BuildVersionResource(const VersionInfo& info);

// Replaces every version resource of `table` by `resource` (number 1, US English).
void ReplaceVersion(ResourceTable& table, std::vector<uint8_t> resource);

}  // namespace tidemark
