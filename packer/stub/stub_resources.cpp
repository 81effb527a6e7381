#include "packer/stub/stub_resources.h"

#include <algorithm>
#include <optional>

#include "container/errors.h"
#include "container/pe_headers.h"

namespace tidemark {
namespace {

// Fields of the optional header and of a section header.
constexpr size_t kInitializedDataField = 8;
constexpr size_t kSectionAlignmentField = 32;
constexpr size_t kFileAlignmentField = 36;
constexpr size_t kSizeOfImageField = 56;
constexpr size_t kVirtualSize = 8;
constexpr size_t kVirtualAddress = 12;
constexpr size_t kRawSize = 16;
constexpr size_t kRawPointer = 20;

uint32_t AlignUp(uint32_t value, uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

struct Section {
  size_t header = 0;  // file offset of its section header
  uint32_t rva = 0;
  uint32_t virtual_size = 0;
  uint32_t raw_pointer = 0;
  uint32_t raw_size = 0;
};

// Where the resource section and what follows it stand, checked against
// the layout rule.
struct StubLayout {
  PeHeaders headers;
  uint32_t section_alignment = 0;
  uint32_t file_alignment = 0;
  Section resources;
  std::optional<Section> relocations;
};

[[noreturn]] void Refuse(const std::string& stub_name, const std::string& why) {
  throw Error("stub \"" + stub_name +
              "\" cannot take the installer's icon and version information: " + why);
}

std::vector<Section> SectionsOf(const std::vector<uint8_t>& image, const PeHeaders& headers) {
  std::vector<Section> sections;
  for (size_t i = 0; i < headers.section_count; ++i) {
    const size_t at = headers.section_table + i * kSectionHeaderSize;
    const uint8_t* header = image.data() + at;
    sections.push_back({at, ReadLe32(header + kVirtualAddress), ReadLe32(header + kVirtualSize),
                        ReadLe32(header + kRawPointer), ReadLe32(header + kRawSize)});
  }
  return sections;
}

StubLayout CheckLayout(const std::vector<uint8_t>& image, const std::string& stub_name) {
  const std::optional<PeHeaders> headers = FindPeHeaders(image.data(), image.size());
  if (!headers) Refuse(stub_name, "it is no Windows program");
  StubLayout layout;
  layout.headers = *headers;
  if (headers->directory_count <= kBaseRelocationDirectory)
    Refuse(stub_name, "its header lacks data directories");
  const uint8_t* optional = image.data() + headers->optional_header;
  layout.section_alignment = ReadLe32(optional + kSectionAlignmentField);
  layout.file_alignment = ReadLe32(optional + kFileAlignmentField);
  if (layout.section_alignment == 0 || layout.file_alignment == 0)
    Refuse(stub_name, "its header is damaged");
  if (ReadLe32(image.data() + headers->Directory(kSecurityDirectory) + 4) != 0) {
    Refuse(stub_name, "it is signed (sign the installer, never the bare stub)");
  }
  const uint32_t resource_rva = ReadLe32(image.data() + headers->Directory(kResourceDirectory));
  const uint32_t relocation_rva =
      ReadLe32(image.data() + headers->Directory(kBaseRelocationDirectory));

  std::vector<Section> sections = SectionsOf(image, *headers);
  std::sort(sections.begin(), sections.end(),
            [](const Section& a, const Section& b) { return a.rva < b.rva; });
  const auto resources = std::find_if(sections.begin(), sections.end(), [&](const Section& s) {
    return resource_rva != 0 && s.rva == resource_rva;
  });
  if (resources == sections.end()) Refuse(stub_name, "it has no resource section of its own");
  layout.resources = *resources;
  const size_t after = static_cast<size_t>(sections.end() - resources) - 1;
  if (after > 1 || (after == 1 && (relocation_rva == 0 || sections.back().rva != relocation_rva))) {
    Refuse(
        stub_name,
        "its resource section is not its last section (link .rsrc last, or only .reloc after it)");
  }
  if (after == 1) layout.relocations = sections.back();
  // Nothing may stand after the sections in the file (no debug data, no
  // container): it would be lost or left behind.
  const Section& last = sections.back();
  for (const Section& section : sections) {
    if (section.raw_pointer > last.raw_pointer)
      Refuse(stub_name, "its sections are not stored in order");
  }
  if (uint64_t{last.raw_pointer} + last.raw_size != image.size()) {
    Refuse(stub_name, "bytes follow its last section (debug data or a container?)");
  }
  if (uint64_t{layout.resources.raw_pointer} + layout.resources.raw_size > image.size()) {
    Refuse(stub_name, "its resource section is damaged");
  }
  return layout;
}

}  // namespace

ResourceTable ReadStubResources(const std::vector<uint8_t>& stub, const std::string& stub_name) {
  const StubLayout layout = CheckLayout(stub, stub_name);
  const Section& section = layout.resources;
  const auto begin = stub.begin() + section.raw_pointer;
  const std::vector<uint8_t> bytes(begin, begin + std::min(section.raw_size, section.virtual_size));
  try {
    return ParseResourceSection(bytes, section.rva);
  } catch (const Error& error) {
    Refuse(stub_name, error.what());
  }
}

std::vector<uint8_t> ReplaceStubResources(const std::vector<uint8_t>& stub,
                                          const std::string& stub_name,
                                          const ResourceTable& resources) {
  const StubLayout layout = CheckLayout(stub, stub_name);
  const PeHeaders& headers = layout.headers;
  const Section& old_resources = layout.resources;
  const std::vector<uint8_t> section = BuildResourceSection(resources, old_resources.rva);
  const uint32_t section_size = static_cast<uint32_t>(section.size());
  const uint32_t raw_size = AlignUp(section_size, layout.file_alignment);

  std::vector<uint8_t> image(stub.begin(), stub.begin() + old_resources.raw_pointer);
  image.insert(image.end(), section.begin(), section.end());
  image.resize(image.size() + (raw_size - section_size), 0);
  uint8_t* header = image.data() + old_resources.header;
  WriteLe32(header + kVirtualSize, section_size);
  WriteLe32(header + kRawSize, raw_size);
  uint32_t image_end = old_resources.rva + section_size;
  WriteLe32(image.data() + headers.Directory(kResourceDirectory) + 4, section_size);

  if (layout.relocations) {
    const Section& relocations = *layout.relocations;
    const uint32_t rva = AlignUp(image_end, layout.section_alignment);
    const uint32_t raw_pointer = static_cast<uint32_t>(image.size());
    const auto begin = stub.begin() + relocations.raw_pointer;
    image.insert(image.end(), begin, begin + relocations.raw_size);
    uint8_t* reloc_header = image.data() + relocations.header;
    WriteLe32(reloc_header + kVirtualAddress, rva);
    WriteLe32(reloc_header + kRawPointer, raw_pointer);
    WriteLe32(image.data() + headers.Directory(kBaseRelocationDirectory), rva);
    image_end = rva + relocations.virtual_size;
  }

  uint8_t* optional = image.data() + headers.optional_header;
  WriteLe32(optional + kSizeOfImageField, AlignUp(image_end, layout.section_alignment));
  WriteLe32(optional + kInitializedDataField,
            ReadLe32(optional + kInitializedDataField) + raw_size - old_resources.raw_size);
  WriteLe32(image.data() + headers.CheckSumField(), 0);
  return image;
}

}  // namespace tidemark
