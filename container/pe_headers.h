// The few fields of a PE file's headers that the container code and the
// packer read and change: where the optional header, its data directories
// and the section table stand. Offsets are file offsets; nothing here
// trusts a field before checking that it lies inside the file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tidemark {

inline uint16_t ReadLe16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }
inline uint32_t ReadLe32(const uint8_t* at) {
  return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
         static_cast<uint32_t>(at[2]) << 16 | static_cast<uint32_t>(at[3]) << 24;
}
inline void WriteLe16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}
inline void WriteLe32(uint8_t* at, uint32_t value) {
  for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

// Data directory indices used here.
inline constexpr uint32_t kResourceDirectory = 2;
inline constexpr uint32_t kSecurityDirectory = 4;
inline constexpr uint32_t kBaseRelocationDirectory = 5;

inline constexpr size_t kSectionHeaderSize = 40;

struct PeHeaders {
  size_t file_header = 0;      // the COFF file header, just after "PE\0\0"
  size_t optional_header = 0;  // the optional header
  size_t section_table = 0;    // the first section header
  uint16_t section_count = 0;
  uint32_t directory_count = 0;  // data directories present in the optional header
  size_t directories = 0;        // the first data directory

  size_t CheckSumField() const { return optional_header + 64; }
  // The data directory entry (RVA, size); only for index < directory_count.
  size_t Directory(uint32_t index) const { return directories + 8 * index; }
};

// The headers of a PE32 or PE32+ image, or nullopt when `data` holds none
// whose optional header and section table fit in `size`.
std::optional<PeHeaders> FindPeHeaders(const uint8_t* data, size_t size);

}  // namespace tidemark
