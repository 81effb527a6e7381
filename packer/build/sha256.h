// SHA-256 of a byte string (FIPS 180-4), as package managers identify an
// installer file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tidemark {

// The digest of `size` bytes at `data` in upper-case hexadecimal, 64 digits.
std::string Sha256Hex(const uint8_t* data, size_t size);

}  // namespace tidemark
