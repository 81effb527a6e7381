// Authenticode signatures. Signing appends a certificate table to the file
// and names it (file offset, size) in the PE header's security directory.
// Such a table is not part of the container: whatever runs "to the end of
// the file" (the scrambled checksum, item reads) stops where it begins.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace tidemark {

struct CertificateTable {
  size_t start = 0;  // file offset
  size_t size = 0;
};

// The certificate table that the security directory names, when that table
// ends exactly at the end of the file, as signing leaves it; nullopt when
// the file is no PE image, names no table, or names anything else.
std::optional<CertificateTable> FindCertificateTable(const uint8_t* data, size_t size);

// Where the container's file ends: `size`, or the certificate table's start.
size_t ContainerEnd(const uint8_t* data, size_t size);

// For a copy cut from a signed image (the uninstaller): clears the security
// directory and the PE checksum when a security directory is set, so that
// the copy is a well-formed unsigned program. Other images stay unchanged.
void ClearSignatureFields(uint8_t* data, size_t size);

}  // namespace tidemark
