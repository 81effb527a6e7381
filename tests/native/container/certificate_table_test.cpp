#include "container/certificate_table.h"

#include <gtest/gtest.h>

#include "container/errors.h"
#include "container/loader.h"
#include "container/pe_headers.h"
#include "tests/native/container/test_support.h"

namespace tidemark {
namespace {

using test::Bytes;
using test::ToBytes;

constexpr size_t kSecurityEntry = test::kPeOptionalHeader + 112 + 8 * kSecurityDirectory;
constexpr size_t kCheckSum = test::kPeOptionalHeader + 64;

// A program without sections whose header carries a checksum.
Bytes PeStub() {
  Bytes stub = test::PeHeaders();
  WriteLe32(&stub[kCheckSum], 0x1234);
  return stub;
}

void SetSecurityDirectory(Bytes& image, uint32_t start, uint32_t size) {
  WriteLe32(&image[kSecurityEntry], start);
  WriteLe32(&image[kSecurityEntry + 4], size);
}

// Appends a certificate table as signing does (after zero bytes up to a
// multiple of 8) and names it in the header.
void Sign(Bytes& image, size_t table_size = 1000) {
  image.resize((image.size() + 7) / 8 * 8, 0);
  SetSecurityDirectory(image, static_cast<uint32_t>(image.size()),
                       static_cast<uint32_t>(table_size));
  for (size_t i = 0; i < table_size; ++i) image.push_back(static_cast<uint8_t>(i * 7 + 1));
}

TEST(CertificateTableTest, OnlyATableEndingAtTheEndOfTheFileCounts) {
  Bytes image = PeStub();
  image.resize(4096, 'x');
  EXPECT_FALSE(FindCertificateTable(image.data(), image.size()));
  EXPECT_EQ(ContainerEnd(image.data(), image.size()), 4096u);

  Bytes signed_image = image;
  Sign(signed_image, 800);
  const auto table = FindCertificateTable(signed_image.data(), signed_image.size());
  ASSERT_TRUE(table);
  EXPECT_EQ(table->start, 4096u);
  EXPECT_EQ(table->size, 800u);
  EXPECT_EQ(ContainerEnd(signed_image.data(), signed_image.size()), 4096u);

  SetSecurityDirectory(image, 1024, 800);  // ends inside the file
  EXPECT_FALSE(FindCertificateTable(image.data(), image.size()));
  SetSecurityDirectory(image, 4000, 800);  // runs past the end
  EXPECT_FALSE(FindCertificateTable(image.data(), image.size()));
  SetSecurityDirectory(image, 0xfffffff0u, 0x20);  // wraps around
  EXPECT_FALSE(FindCertificateTable(image.data(), image.size()));

  Bytes not_pe = signed_image;
  not_pe[0] = 'X';
  EXPECT_FALSE(FindCertificateTable(not_pe.data(), not_pe.size()));
  EXPECT_EQ(ContainerEnd(not_pe.data(), not_pe.size()), not_pe.size());
  Bytes cut = Bytes(signed_image.begin(), signed_image.begin() + 0x50);
  EXPECT_FALSE(FindCertificateTable(cut.data(), cut.size()));
}

TEST(CertificateTableTest, SignedScrambledContainerLoadsAndEndsBeforeTheTable) {
  test::ContainerParts parts;
  parts.stub = PeStub();
  ControlInfo info;
  // Every amount of padding that signing may add before the table.
  for (std::string name = "Signed"; name.size() < 14; name += "x") {
    SCOPED_TRACE(name);
    parts.lines = {"AppName=" + name, "Filecount=0"};
    Bytes image = test::BuildScrambledContainer(parts);
    Sign(image);
    ExeImage exe;
    exe.Assign(image);
    const ContainerHead head = LoadContainerHead(exe, "setup.exe", info);
    EXPECT_TRUE(head.scrambled);
    EXPECT_EQ(info.Value("AppName"), name);
    EXPECT_EQ(exe.Size() % 8, 0);
  }
  Bytes image = test::BuildScrambledContainer(parts);
  const size_t unsigned_size = image.size();
  Sign(image);

  // A directory that names anything else is ignored: the table's bytes
  // then count towards the checksum, as any tail does.
  SetSecurityDirectory(image, static_cast<uint32_t>(unsigned_size), 999);
  ExeImage exe;
  exe.Assign(image);
  try {
    LoadContainerHead(exe, "setup.exe", info);
    FAIL() << "loaded";
  } catch (const LoadError& error) {
    EXPECT_EQ(error.kind(), LoadFailure::kChecksum);
  }
}

TEST(CertificateTableTest, ClearingLeavesAnUnsignedHeaderAndUnsignedImagesAlone) {
  const Bytes plain = PeStub();
  Bytes copy = plain;
  ClearSignatureFields(copy.data(), copy.size());
  EXPECT_EQ(copy, plain);

  Bytes signed_image = PeStub();
  Sign(signed_image);
  Bytes head(signed_image.begin(), signed_image.begin() + 512);  // the uninstaller's cut
  ClearSignatureFields(head.data(), head.size());
  Bytes expected = plain;
  expected[kCheckSum] = expected[kCheckSum + 1] = 0;
  EXPECT_EQ(head, expected);
}

}  // namespace
}  // namespace tidemark
