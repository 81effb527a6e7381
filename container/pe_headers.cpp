#include "container/pe_headers.h"

namespace tidemark {
namespace {

constexpr uint16_t kPe32Magic = 0x10b;
constexpr uint16_t kPe32PlusMagic = 0x20b;

}  // namespace

std::optional<PeHeaders> FindPeHeaders(const uint8_t* data, size_t size) {
  if (size < 0x40 || data[0] != 'M' || data[1] != 'Z') return std::nullopt;
  const size_t signature = ReadLe32(data + 0x3c);
  if (signature > size || size - signature < 4 + 20) return std::nullopt;
  if (ReadLe32(data + signature) != 0x00004550) return std::nullopt;  // "PE\0\0"
  PeHeaders headers;
  headers.file_header = signature + 4;
  headers.section_count = ReadLe16(data + headers.file_header + 2);
  const size_t optional_size = ReadLe16(data + headers.file_header + 16);
  headers.optional_header = headers.file_header + 20;
  headers.section_table = headers.optional_header + optional_size;
  if (headers.section_table + headers.section_count * kSectionHeaderSize > size)
    return std::nullopt;
  if (optional_size < 2) return std::nullopt;
  const uint16_t magic = ReadLe16(data + headers.optional_header);
  size_t count_field = 0;
  if (magic == kPe32Magic) {
    count_field = 92;
  } else if (magic == kPe32PlusMagic) {
    count_field = 108;
  } else {
    return std::nullopt;
  }
  if (optional_size < count_field + 4) return std::nullopt;
  headers.directories = headers.optional_header + count_field + 4;
  const uint32_t room = static_cast<uint32_t>((optional_size - count_field - 4) / 8);
  const uint32_t declared = ReadLe32(data + headers.optional_header + count_field);
  headers.directory_count = declared < room ? declared : room;
  return headers;
}

}  // namespace tidemark
