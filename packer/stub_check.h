// The stub an installer starts with: an x86-64 Windows GUI program made as a
// bare stub of this system, with nothing after its program image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tidemark {

struct BareStub {
  std::vector<uint8_t> bytes;  // as it goes into the installer
  bool signature_dropped = false;  // it carried an Authenticode signature, now left out
};

// Reads the stub at `path` and checks it. A stub signed with Authenticode
// comes back without its certificate table and that table's directory
// entry: appending a container breaks the signature, so the finished
// installer is what must be signed. Raises Error saying what the file is
// instead when it is no bare stub.
BareStub ReadBareStub(const std::string& path);

// Why `bytes` is no bare stub (what it is instead); empty when it is one.
// With `allow_signature`, a certificate table at the end is accepted.
std::string BareStubFault(const std::vector<uint8_t>& bytes, bool allow_signature);

}  // namespace tidemark
