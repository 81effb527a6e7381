// A PE resource section as a flat, sorted table of resources, and the
// section's bytes read into and written from such a table. The packer uses
// it to give the stub's copy in an installer its own icon and version
// information without a Windows resource compiler.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tidemark {

// A resource type or name: a number, or a text (UTF-16, as stored).
struct ResourceName {
  bool is_text = false;
  uint16_t id = 0;
  std::u16string text;

  static ResourceName Id(uint16_t id) { return {false, id, {}}; }
  bool operator==(const ResourceName& other) const {
    return is_text == other.is_text && id == other.id && text == other.text;
  }
  // Directory order: texts first (by code unit), then numbers.
  bool operator<(const ResourceName& other) const;
};

struct Resource {
  ResourceName type;
  ResourceName name;
  uint16_t language = 0;
  uint32_t code_page = 0;
  std::vector<uint8_t> data;
};

// Standard resource types used here.
inline constexpr uint16_t kIconType = 3;
inline constexpr uint16_t kGroupIconType = 14;
inline constexpr uint16_t kVersionType = 16;

// Sorted by type, name and language, as the section's directories list them.
using ResourceTable = std::vector<Resource>;
void SortResources(ResourceTable& table);

// Reads the directory tree of a resource section whose first byte is loaded
// at `section_rva`; data is taken from `section` by RVA. Raises Error when
// the tree is not three levels deep or anything lies outside the section.
ResourceTable ParseResourceSection(const std::vector<uint8_t>& section, uint32_t section_rva);

// Lays out a resource section for loading at `section_rva`: the directory
// tree, the data entries, the texts, then the data, each item aligned to 8.
std::vector<uint8_t> BuildResourceSection(ResourceTable table, uint32_t section_rva);

}  // namespace tidemark
