// The stub an installer starts with: an x86-64 Windows GUI program made as a
// bare stub of this system, with nothing after its program image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tidemark {

struct BareStub {
  std::vector<uint8_t> bytes;      // as it goes into the installer
  bool signature_dropped = false;  // it carried an Authenticode signature, now left out
};

// Reads the stub at `path` and checks it. A stub signed with Authenticode
// comes back without its certificate table, that table's directory entry
// and the image checksum that covered them: appending a container breaks the signature, so the
// finished installer is what must be signed. Raises Error saying what the file is instead when it
// is no bare stub.
BareStub ReadBareStub(const std::string& path);

// Where the stub's bytes come from: a file of its own, whose certificate
// table (if signed) stands at its end, or the head of an installer, whose
// certificate table (if the installer was signed) lies after the container.
enum class StubPlace { kAlone, kInInstaller };

// Why `bytes` is no bare stub (what it is instead); empty when it is one.
std::string BareStubFault(const std::vector<uint8_t>& bytes, StubPlace place);

}  // namespace tidemark
