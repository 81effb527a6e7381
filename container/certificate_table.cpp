#include "container/certificate_table.h"

#include <cstring>

#include "container/pe_headers.h"

namespace tidemark {

std::optional<CertificateTable> FindCertificateTable(const uint8_t* data, size_t size) {
  const std::optional<PeHeaders> headers = FindPeHeaders(data, size);
  if (!headers || headers->directory_count <= kSecurityDirectory) return std::nullopt;
  const uint8_t* entry = data + headers->Directory(kSecurityDirectory);
  const CertificateTable table{ReadLe32(entry), ReadLe32(entry + 4)};
  if (table.start == 0 || table.size == 0 || table.start > size) return std::nullopt;
  if (size - table.start != table.size) return std::nullopt;
  return table;
}

size_t ContainerEnd(const uint8_t* data, size_t size) {
  const std::optional<CertificateTable> table = FindCertificateTable(data, size);
  return table ? table->start : size;
}

void ClearSignatureFields(uint8_t* data, size_t size) {
  const std::optional<PeHeaders> headers = FindPeHeaders(data, size);
  if (!headers || headers->directory_count <= kSecurityDirectory) return;
  uint8_t* entry = data + headers->Directory(kSecurityDirectory);
  if (ReadLe32(entry) == 0 && ReadLe32(entry + 4) == 0) return;
  std::memset(entry, 0, 8);
  std::memset(data + headers->CheckSumField(), 0, 4);
}

}  // namespace tidemark
