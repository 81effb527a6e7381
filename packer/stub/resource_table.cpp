#include "packer/stub/resource_table.h"

#include <algorithm>
#include <tuple>

#include "container/errors.h"
#include "container/pe_headers.h"

namespace tidemark {
namespace {

constexpr uint32_t kHighBit = 0x80000000u;
constexpr size_t kDirectoryHeader = 16;
constexpr size_t kDirectoryEntry = 8;
constexpr size_t kDataEntry = 16;
constexpr size_t kMostEntries = 1 << 20;

size_t AlignUp(size_t value, size_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

class SectionReader {
 public:
  SectionReader(const std::vector<uint8_t>& section, uint32_t rva) : section_(section), rva_(rva) {}

  void Walk(ResourceTable& table) {
    Resource path;
    WalkDirectory(0, 0, path, table);
  }

 private:
  const uint8_t* At(size_t offset, size_t length) const {
    if (offset > section_.size() || section_.size() - offset < length) {
      throw Error("the resource section is damaged (an entry lies outside it)");
    }
    return section_.data() + offset;
  }

  ResourceName NameAt(uint32_t field) const {
    if (!(field & kHighBit)) return ResourceName::Id(static_cast<uint16_t>(field));
    const size_t offset = field & ~kHighBit;
    const size_t length = ReadLe16(At(offset, 2));
    const uint8_t* units = At(offset + 2, 2 * length);
    ResourceName name;
    name.is_text = true;
    for (size_t i = 0; i < length; ++i)
      name.text.push_back(static_cast<char16_t>(ReadLe16(units + 2 * i)));
    return name;
  }

  void WalkDirectory(size_t offset, int level, Resource& path, ResourceTable& table) {
    const uint8_t* header = At(offset, kDirectoryHeader);
    const size_t count = size_t{ReadLe16(header + 12)} + ReadLe16(header + 14);
    // Entries may share sub-directories; a tree that multiplies out beyond
    // any real program's resources is refused.
    entries_seen_ += count;
    if (entries_seen_ > kMostEntries)
      throw Error("the resource section is damaged (too many entries)");
    const uint8_t* entries = At(offset + kDirectoryHeader, count * kDirectoryEntry);
    for (size_t i = 0; i < count; ++i) {
      const uint32_t name_field = ReadLe32(entries + i * kDirectoryEntry);
      const uint32_t target = ReadLe32(entries + i * kDirectoryEntry + 4);
      const bool is_directory = (target & kHighBit) != 0;
      if (is_directory != (level < 2)) {
        throw Error("the resource section is damaged (its tree is not three levels deep)");
      }
      if (level == 0) path.type = NameAt(name_field);
      if (level == 1) path.name = NameAt(name_field);
      if (level == 2) {
        path.language = static_cast<uint16_t>(name_field);
        table.push_back(ReadData(target, path));
      } else {
        WalkDirectory(target & ~kHighBit, level + 1, path, table);
      }
    }
  }

  Resource ReadData(size_t entry_offset, const Resource& path) const {
    const uint8_t* entry = At(entry_offset, kDataEntry);
    const uint32_t data_rva = ReadLe32(entry);
    const uint32_t size = ReadLe32(entry + 4);
    if (data_rva < rva_) throw Error("the resource section is damaged (data lies outside it)");
    const uint8_t* data = At(data_rva - rva_, size);
    Resource resource = path;
    resource.code_page = ReadLe32(entry + 8);
    resource.data.assign(data, data + size);
    return resource;
  }

  const std::vector<uint8_t>& section_;
  const uint32_t rva_;
  size_t entries_seen_ = 0;
};

// One directory of the tree being written: its entries' names and, per
// entry, the index of the sub-directory or data entry it points to.
struct Directory {
  std::vector<const ResourceName*> names;
  std::vector<size_t> targets;
  size_t offset = 0;
};

}  // namespace

bool ResourceName::operator<(const ResourceName& other) const {
  if (is_text != other.is_text) return is_text;
  return is_text ? text < other.text : id < other.id;
}

void SortResources(ResourceTable& table) {
  std::stable_sort(table.begin(), table.end(), [](const Resource& a, const Resource& b) {
    if (!(a.type == b.type)) return a.type < b.type;
    if (!(a.name == b.name)) return a.name < b.name;
    return a.language < b.language;
  });
}

ResourceTable ParseResourceSection(const std::vector<uint8_t>& section, uint32_t section_rva) {
  ResourceTable table;
  SectionReader(section, section_rva).Walk(table);
  SortResources(table);
  return table;
}

std::vector<uint8_t> BuildResourceSection(ResourceTable table, uint32_t section_rva) {
  SortResources(table);
  // Directories in the order they are written: the root, the name
  // directories of each type, then the language directories of each name.
  std::vector<Directory> root(1), types, names;
  std::vector<uint16_t> languages;
  for (size_t i = 0; i < table.size(); ++i) {
    const Resource& resource = table[i];
    if (i == 0 || !(resource.type == table[i - 1].type)) {
      root[0].names.push_back(&resource.type);
      root[0].targets.push_back(types.size());
      types.emplace_back();
    }
    if (i == 0 || !(resource.type == table[i - 1].type) || !(resource.name == table[i - 1].name)) {
      types.back().names.push_back(&resource.name);
      types.back().targets.push_back(names.size());
      names.emplace_back();
    }
    names.back().names.push_back(nullptr);
    names.back().targets.push_back(i);
  }

  size_t offset = 0;
  for (std::vector<Directory>* level : {&root, &types, &names}) {
    for (Directory& directory : *level) {
      directory.offset = offset;
      offset += kDirectoryHeader + kDirectoryEntry * directory.targets.size();
    }
  }
  const size_t data_entries = offset;
  offset += kDataEntry * table.size();
  // Texts, each written once per directory entry that names one.
  std::vector<std::pair<const ResourceName*, size_t>> texts;
  for (std::vector<Directory>* level : {&root, &types}) {
    for (const Directory& directory : *level) {
      for (const ResourceName* name : directory.names) {
        if (!name->is_text) continue;
        texts.emplace_back(name, offset);
        offset += 2 + 2 * name->text.size();
      }
    }
  }
  std::vector<size_t> data_offsets;
  for (const Resource& resource : table) {
    offset = AlignUp(offset, 8);
    data_offsets.push_back(offset);
    offset += resource.data.size();
  }

  std::vector<uint8_t> section(offset, 0);
  size_t next_text = 0;
  auto write_directory = [&](const Directory& directory, const std::vector<Directory>* below) {
    uint8_t* header = section.data() + directory.offset;
    uint16_t named = 0;
    for (const ResourceName* name : directory.names) named += name && name->is_text ? 1 : 0;
    WriteLe16(header + 12, named);
    WriteLe16(header + 14, static_cast<uint16_t>(directory.targets.size() - named));
    for (size_t i = 0; i < directory.targets.size(); ++i) {
      uint8_t* entry = header + kDirectoryHeader + kDirectoryEntry * i;
      const ResourceName* name = directory.names[i];
      uint32_t name_field = 0;
      if (name == nullptr) {
        name_field = table[directory.targets[i]].language;
      } else if (name->is_text) {
        name_field = kHighBit | static_cast<uint32_t>(texts[next_text++].second);
      } else {
        name_field = name->id;
      }
      WriteLe32(entry, name_field);
      const size_t target = directory.targets[i];
      WriteLe32(entry + 4, below ? kHighBit | static_cast<uint32_t>((*below)[target].offset)
                                 : static_cast<uint32_t>(data_entries + kDataEntry * target));
    }
  };
  for (const Directory& directory : root) write_directory(directory, &types);
  for (const Directory& directory : types) write_directory(directory, &names);
  for (const Directory& directory : names) write_directory(directory, nullptr);
  for (const auto& [name, text_offset] : texts) {
    WriteLe16(section.data() + text_offset, static_cast<uint16_t>(name->text.size()));
    for (size_t i = 0; i < name->text.size(); ++i) {
      WriteLe16(section.data() + text_offset + 2 + 2 * i, static_cast<uint16_t>(name->text[i]));
    }
  }
  for (size_t i = 0; i < table.size(); ++i) {
    uint8_t* entry = section.data() + data_entries + kDataEntry * i;
    WriteLe32(entry, section_rva + static_cast<uint32_t>(data_offsets[i]));
    WriteLe32(entry + 4, static_cast<uint32_t>(table[i].data.size()));
    WriteLe32(entry + 8, table[i].code_page);
    std::copy(table[i].data.begin(), table[i].data.end(),
              section.begin() + static_cast<std::ptrdiff_t>(data_offsets[i]));
  }
  return section;
}

}  // namespace tidemark
