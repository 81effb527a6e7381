#include "packer/stub/stub_check.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "container/certificate_table.h"
#include "container/errors.h"
#include "container/image_file.h"
#include "container/layout.h"
#include "container/pe_headers.h"

namespace tidemark {
namespace {

// Places in the PE/COFF headers.
constexpr size_t kDosHeaderSize = 0x40;
constexpr size_t kPeOffsetField = 0x3C;
constexpr size_t kCoffHeaderSize = 20;
constexpr uint16_t kMachineAmd64 = 0x8664;
constexpr uint16_t kMachineI386 = 0x014C;
constexpr uint16_t kMachineArm64 = 0xAA64;
constexpr uint16_t kCharacteristicDll = 0x2000;
constexpr uint16_t kMagicPe32Plus = 0x20B;
constexpr uint16_t kMagicPe32 = 0x10B;
constexpr uint16_t kSubsystemGui = 2;
constexpr uint16_t kSubsystemConsole = 3;
constexpr size_t kSubsystemField = 68;        // in the PE32+ optional header
constexpr size_t kDirectoryCountField = 108;  // in the PE32+ optional header
constexpr size_t kDirectoriesField = 112;     // in the PE32+ optional header
constexpr size_t kCertificateAlignment = 8;

// The parts of a PE image that the checks need.
struct PeLayout {
  size_t image_end = 0;    // end of the last section's data in the file
  size_t headers_end = 0;  // end of the section table
  size_t certificate_start = 0;
  size_t certificate_size = 0;
};

// Bounds-checked reads of the header fields, for the messages that say
// how a file falls short of a stub.
class Reader {
 public:
  explicit Reader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}
  bool Has(size_t offset, size_t size) const {
    return offset <= bytes_.size() && size <= bytes_.size() - offset;
  }
  uint32_t U16(size_t offset) const { return ReadLe16(bytes_.data() + offset); }
  uint32_t U32(size_t offset) const { return ReadLe32(bytes_.data() + offset); }

 private:
  const std::vector<uint8_t>& bytes_;
};

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%04X", static_cast<unsigned>(value));
  return text;
}

bool StartsWith(const std::vector<uint8_t>& bytes, std::string_view prefix) {
  return bytes.size() >= prefix.size() &&
         std::memcmp(bytes.data(), prefix.data(), prefix.size()) == 0;
}

bool LooksLikeText(const std::vector<uint8_t>& bytes) {
  const size_t sample = std::min<size_t>(bytes.size(), 4096);
  for (size_t i = 0; i < sample; ++i) {
    const uint8_t c = bytes[i];
    if (c < 0x20 && c != '\n' && c != '\r' && c != '\t') return false;
  }
  return true;
}

// What a file that is no Windows program at all is.
std::string NotAProgram(const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return "it is empty";
  if (StartsWith(bytes,
                 "\x7F"
                 "ELF"))
    return "it is an ELF file (a Linux program or library), not a Windows program";
  if (StartsWith(bytes, "#!")) return "it is a script, not a Windows program";
  if (LooksLikeText(bytes)) return "it is a text file, not a Windows program";
  return "it is not a Windows program (no \"MZ\" header)";
}

std::string CutShort(size_t needed, size_t size) {
  return "it is cut short: its headers or sections need " + std::to_string(needed) +
         " bytes, the file has " + std::to_string(size);
}

// Reads the headers; returns what is wrong, or empty with `layout` filled.
std::string ReadLayout(const std::vector<uint8_t>& bytes, PeLayout& layout) {
  const Reader read(bytes);
  if (!StartsWith(bytes, "MZ")) return NotAProgram(bytes);
  if (!read.Has(0, kDosHeaderSize)) return CutShort(kDosHeaderSize, bytes.size());
  const size_t pe = read.U32(kPeOffsetField);
  if (!read.Has(pe, 4) || std::memcmp(bytes.data() + pe, "PE\0\0", 4) != 0) {
    return read.Has(pe, 4) ? "it is a DOS program, not a Windows one"
                           : CutShort(pe + 4, bytes.size());
  }
  const size_t coff = pe + 4;
  if (!read.Has(coff, kCoffHeaderSize)) return CutShort(coff + kCoffHeaderSize, bytes.size());
  const uint32_t machine = read.U16(coff);
  if (machine == kMachineI386)
    return "it is a 32-bit (x86) Windows program; the stub is an x86-64 one";
  if (machine == kMachineArm64) return "it is an ARM64 Windows program; the stub is an x86-64 one";
  if (machine != kMachineAmd64)
    return "it is a Windows program for another processor (machine " + Hex(machine) + ")";
  if (read.U16(coff + 18) & kCharacteristicDll) return "it is a DLL, not a program";
  const size_t sections = read.U16(coff + 2);
  const size_t optional = coff + kCoffHeaderSize;
  const size_t optional_size = read.U16(coff + 16);
  if (!read.Has(optional, optional_size) || optional_size < kDirectoriesField) {
    return CutShort(optional + std::max(optional_size, kDirectoriesField), bytes.size());
  }
  const uint32_t magic = read.U16(optional);
  if (magic == kMagicPe32) return "it is a 32-bit Windows program; the stub is an x86-64 one";
  if (magic != kMagicPe32Plus) return "its optional header is damaged (magic " + Hex(magic) + ")";
  const uint32_t subsystem = read.U16(optional + kSubsystemField);
  if (subsystem == kSubsystemConsole) return "it is a console program; the stub is a GUI one";
  if (subsystem != kSubsystemGui)
    return "it is no GUI program (subsystem " + std::to_string(subsystem) + ")";

  layout.headers_end = optional + optional_size + sections * kSectionHeaderSize;
  if (!read.Has(0, layout.headers_end)) return CutShort(layout.headers_end, bytes.size());
  for (size_t i = 0; i < sections; ++i) {
    const size_t header = optional + optional_size + i * kSectionHeaderSize;
    const size_t raw_size = read.U32(header + 16);
    const size_t raw_start = read.U32(header + 20);
    if (raw_size > 0) layout.image_end = std::max(layout.image_end, raw_start + raw_size);
  }
  layout.image_end = std::max(layout.image_end, layout.headers_end);
  if (!read.Has(0, layout.image_end)) return CutShort(layout.image_end, bytes.size());

  if (read.U32(optional + kDirectoryCountField) > kSecurityDirectory) {
    const size_t entry = optional + kDirectoriesField + kSecurityDirectory * 8;
    if (entry + 8 > optional + optional_size) return "its optional header is damaged";
    layout.certificate_start = read.U32(entry);
    layout.certificate_size = read.U32(entry + 4);
  }
  return {};
}

bool Contains(const std::vector<uint8_t>& bytes, size_t from, size_t to, std::string_view text) {
  const auto end = bytes.begin() + static_cast<std::ptrdiff_t>(to);
  return std::search(bytes.begin() + static_cast<std::ptrdiff_t>(from), end, text.begin(),
                     text.end()) != end;
}

std::string MarkerFault(const std::vector<uint8_t>& bytes) {
  for (const std::string& marker : {StartMarker(), ScrambledStartMarker()}) {
    const auto at = std::search(bytes.begin(), bytes.end(), marker.begin(), marker.end());
    if (at != bytes.end()) {
      return "it holds a start marker at offset " + std::to_string(at - bytes.begin()) +
             " (is it an installer already?); the installer would look for its container there";
    }
  }
  return {};
}

}  // namespace

std::string BareStubFault(const std::vector<uint8_t>& bytes, StubPlace place) {
  PeLayout layout;
  std::string fault = ReadLayout(bytes, layout);
  if (!fault.empty()) return fault;
  fault = MarkerFault(bytes);
  if (!fault.empty()) return fault;
  if (!Contains(bytes, layout.headers_end, layout.image_end, kStubSignature)) {
    return "it is an x86-64 Windows GUI program, but not a bare stub of this system "
           "(tidemark-stub.exe)";
  }
  size_t end = layout.image_end;
  if (layout.certificate_size > 0 && place == StubPlace::kAlone) {
    const size_t start = layout.certificate_start;
    if (start < layout.image_end || start - layout.image_end >= kCertificateAlignment ||
        start + layout.certificate_size != bytes.size()) {
      return "its Authenticode certificate table is not where a signature puts it, at the end of "
             "the file";
    }
    end = bytes.size();
  }
  if (end < bytes.size()) {
    return "it has " + std::to_string(bytes.size() - end) +
           " bytes after its program image; a bare stub has none (is it an installer already?)";
  }
  return {};
}

BareStub ReadBareStub(const std::string& path) {
  const auto storage = ReadFileStorage(path);
  BareStub stub;
  stub.bytes.assign(storage->data(), storage->data() + storage->size());
  const std::string fault = BareStubFault(stub.bytes, StubPlace::kAlone);
  if (!fault.empty()) throw Error("stub \"" + path + "\" is not a bare installer stub: " + fault);
  PeLayout layout;
  ReadLayout(stub.bytes, layout);
  if (layout.certificate_size > 0) {
    // Without the table and its entry, and without the checksum that
    // covered them (0: none), the stub is as it was before signing.
    stub.bytes.resize(layout.image_end);
    ClearSignatureFields(stub.bytes.data(), stub.bytes.size());
    stub.signature_dropped = true;
  }
  return stub;
}

}  // namespace tidemark
