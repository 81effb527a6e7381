// The stub: only a bare stub of this system goes in, and the refusal says
// what the file is instead; a signed stub loses its signature.
#include <gtest/gtest.h>

#include "container/errors.h"
#include "container/layout.h"
#include "packer/stub/stub_check.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

void Put32(Bytes& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(StubCheckTest, WhatIsNoBareStubIsNamed) {
  const Bytes stub = BareStubBytes(100);
  EXPECT_EQ(BareStubFault(stub, StubPlace::kAlone), "");
  auto changed = [&](size_t at, std::initializer_list<uint8_t> values) {
    Bytes bytes = stub;
    std::copy(values.begin(), values.end(), bytes.begin() + at);
    return bytes;
  };
  Bytes cut = stub;
  cut.resize(stub.size() - 1);
  Bytes foreign = stub;
  const std::string signature = kStubSignature;
  foreign[std::search(foreign.begin(), foreign.end(), signature.begin(), signature.end()) -
          foreign.begin()] ^= 1;
  const struct {
    Bytes bytes;
    std::string says;
  } cases[] = {
      {Bytes{}, "empty"},
      {ToBytes("[Settings]\nAppName=x\n"), "text file"},
      {Concat({ToBytes("\x7F"
                       "ELF"),
               RandomBytes(200, 1)}),
       "ELF"},
      {Concat({ToBytes("MZ"), RandomBytes(30, 1)}), "cut short"},
      {cut, "cut short"},
      {changed(0x44, {0x4C, 0x01}), "32-bit (x86)"},
      {changed(0x40 + 24 + 68, {3}), "console program"},
      {changed(0x40 + 22, {0x22, 0x20}), "DLL"},
      {foreign, "not a bare stub of this system"},
      {Concat({stub, ToBytes("more")}), "4 bytes after its program image"},
      {Concat({stub, ToBytes(StartMarker())}),
       "start marker at offset " + std::to_string(stub.size())},
      {Concat({stub, ToBytes(ScrambledStartMarker())}), "start marker"},
  };
  for (const auto& stub_case : cases) {
    const std::string fault = BareStubFault(stub_case.bytes, StubPlace::kAlone);
    EXPECT_NE(fault.find(stub_case.says), std::string::npos) << stub_case.says << ": " << fault;
  }
}

TEST(StubCheckTest, AnAuthenticodeSignatureIsDropped) {
  TempFolder folder;
  const Bytes bare = BareStubBytes(101);  // the table starts at the next multiple of 8
  const size_t table = (bare.size() + 7) / 8 * 8;
  Bytes signed_stub = bare;
  signed_stub.resize(table);
  const Bytes certificate =
      Concat({ToBytes(std::string("\x18\0\0\0\0\x02\x02\0", 8)), RandomBytes(16, 3)});
  signed_stub.insert(signed_stub.end(), certificate.begin(), certificate.end());
  const size_t entry = 0x40 + 24 + 112 + 4 * 8;
  Put32(signed_stub, entry, static_cast<uint32_t>(table));
  Put32(signed_stub, entry + 4, static_cast<uint32_t>(certificate.size()));
  Put32(signed_stub, 0x40 + 24 + 64, 0x1234);  // the checksum of the signed file
  WriteFile(folder.File("signed.exe"), signed_stub);
  const BareStub stub = ReadBareStub(folder.File("signed.exe"));
  EXPECT_TRUE(stub.signature_dropped);
  EXPECT_EQ(stub.bytes, bare);

  Put32(signed_stub, entry + 4,
        static_cast<uint32_t>(certificate.size() - 8));  // the table ends early
  WriteFile(folder.File("signed.exe"), signed_stub);
  EXPECT_THROW(ReadBareStub(folder.File("signed.exe")), Error);
}

}  // namespace
}  // namespace tidemark::test
