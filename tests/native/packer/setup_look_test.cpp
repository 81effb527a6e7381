// The installer executable's icon and version information: the resource
// section writer, the rewrite of a stub's layout, and the product keys.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>

#include "container/errors.h"
#include "container/pe_headers.h"
#include "packer/cli/pack.h"
#include "packer/product/product.h"
#include "packer/product/setup_look.h"
#include "packer/stub/icon_resources.h"
#include "packer/stub/resource_table.h"
#include "packer/stub/stub_resources.h"
#include "packer/stub/version_resource.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

ResourceName Text(const std::u16string& text) { return {true, 0, text}; }

// Resources of every kind the writer must keep: numbered and named types and
// names, several languages, a code page, odd sizes.
ResourceTable MixedResources() {
  ResourceTable table = {
      {ResourceName::Id(24), ResourceName::Id(1), 0x0409, 0, ToBytes("<assembly/>")},
      {Text(u"VENDOR"), Text(u"BLOB"), 0x0407, 1252, RandomBytes(1001, 7)},
      {Text(u"VENDOR"), ResourceName::Id(5), 0x0407, 0, RandomBytes(3, 8)},
      {ResourceName::Id(10), ResourceName::Id(200), 0x0409, 0, RandomBytes(77, 9)},
      {ResourceName::Id(10), ResourceName::Id(200), 0x0000, 0, RandomBytes(0, 9)},
      {ResourceName::Id(kGroupIconType), Text(u"MAINICON"), 0x0409, 0, RandomBytes(20, 1)},
      {ResourceName::Id(kIconType), ResourceName::Id(1), 0x0409, 0, RandomBytes(40, 2)},
  };
  SortResources(table);
  return table;
}

void ExpectSameResources(const ResourceTable& actual, const ResourceTable& expected) {
  ASSERT_EQ(actual.size(), expected.size());
  for (size_t i = 0; i < actual.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(actual[i].type == expected[i].type);
    EXPECT_TRUE(actual[i].name == expected[i].name);
    EXPECT_EQ(actual[i].language, expected[i].language);
    EXPECT_EQ(actual[i].code_page, expected[i].code_page);
    EXPECT_EQ(actual[i].data, expected[i].data);
  }
}

// A PE32+ image laid out as the stub's linker lays it out: .text, .rsrc
// holding `resources`, and .reloc last; or with `.data` after .rsrc.
constexpr size_t kOptional = kPeOptionalHeader;
constexpr uint32_t kSectionAlignment = 0x1000;
constexpr uint32_t kFileAlignment = 0x200;

uint32_t Align(size_t value, uint32_t alignment) {
  return static_cast<uint32_t>((value + alignment - 1) / alignment * alignment);
}

Bytes StubImage(const ResourceTable& resources, bool relocations_last = true) {
  Bytes image = PeHeaders(3);
  WriteLe32(&image[kOptional + 32], kSectionAlignment);
  WriteLe32(&image[kOptional + 36], kFileAlignment);
  WriteLe32(&image[kOptional + 60], 0x200);
  const Bytes text = RandomBytes(0x180, 3);
  const Bytes rsrc = BuildResourceSection(resources, 0x2000);
  const Bytes reloc = RandomBytes(0x24, 4);
  struct Part {
    const char* name;
    const Bytes* bytes;
  };
  const Part parts[] = {
      {".text", &text}, {".rsrc", &rsrc}, {relocations_last ? ".reloc" : ".data", &reloc}};
  uint32_t rva = 0x1000;
  for (size_t i = 0; i < 3; ++i) {
    uint8_t* header = &image[kOptional + 240 + 40 * i];
    std::copy(parts[i].name, parts[i].name + std::strlen(parts[i].name), header);
    WriteLe32(header + 8, static_cast<uint32_t>(parts[i].bytes->size()));
    WriteLe32(header + 12, rva);
    WriteLe32(header + 16, Align(parts[i].bytes->size(), kFileAlignment));
    WriteLe32(header + 20, static_cast<uint32_t>(image.size()));
    WriteLe32(header + 36, 0x40000040);
    image.insert(image.end(), parts[i].bytes->begin(), parts[i].bytes->end());
    image.resize(Align(image.size(), kFileAlignment), 0);
    rva = Align(rva + parts[i].bytes->size(), kSectionAlignment);
  }
  WriteLe32(&image[kOptional + 56], rva);
  WriteLe32(&image[kOptional + 112 + 8 * kResourceDirectory], 0x2000);
  WriteLe32(&image[kOptional + 112 + 8 * kResourceDirectory + 4],
            static_cast<uint32_t>(rsrc.size()));
  if (relocations_last) {
    WriteLe32(&image[kOptional + 112 + 8 * kBaseRelocationDirectory], 0x3000);
    WriteLe32(&image[kOptional + 112 + 8 * kBaseRelocationDirectory + 4], 0x24);
  }
  return image;
}

// Reads section header `index` as (rva, virtual size, raw pointer, raw size).
std::array<uint32_t, 4> SectionOf(const Bytes& image, size_t index) {
  const uint8_t* header = &image[kOptional + 240 + 40 * index];
  return {ReadLe32(header + 12), ReadLe32(header + 8), ReadLe32(header + 20),
          ReadLe32(header + 16)};
}

// A Windows icon file with images of the given byte sizes.
Bytes IconFile(std::initializer_list<size_t> sizes) {
  Bytes ico(6 + 16 * sizes.size(), 0);
  WriteLe16(&ico[2], 1);
  WriteLe16(&ico[4], static_cast<uint16_t>(sizes.size()));
  size_t i = 0;
  for (size_t size : sizes) {
    uint8_t* entry = &ico[6 + 16 * i];
    entry[0] = entry[1] = static_cast<uint8_t>(16 << i);
    WriteLe16(entry + 4, 1);
    WriteLe16(entry + 6, 32);
    WriteLe32(entry + 8, static_cast<uint32_t>(size));
    WriteLe32(entry + 12, static_cast<uint32_t>(ico.size()));
    const Bytes body = RandomBytes(size, static_cast<uint32_t>(10 + i++));
    ico.insert(ico.end(), body.begin(), body.end());
  }
  return ico;
}

TEST(ResourceSectionTest, WhatIsWrittenReadsBackTheSame) {
  const ResourceTable table = MixedResources();
  ExpectSameResources(ParseResourceSection(BuildResourceSection(table, 0x5000), 0x5000), table);
  EXPECT_TRUE(ParseResourceSection(BuildResourceSection({}, 0x5000), 0x5000).empty());

  Bytes damaged = BuildResourceSection(table, 0x5000);
  damaged.resize(damaged.size() / 2);
  EXPECT_THROW(ParseResourceSection(damaged, 0x5000), Error);
}

TEST(ResourceSectionTest, IconAndVersionReplaceTheirOwnKindOnly) {
  ResourceTable table = MixedResources();
  const Bytes ico = IconFile({300, 5000});
  ReplaceIcon(table, ico, "icon.ico");
  VersionInfo version;
  version.numbers = ParseVersionNumber("2.5.1", "SetupVersion");
  version.texts = {{"ProductName", "Marrowlight \xc3\xa9"}};
  ReplaceVersion(table, BuildVersionResource(version));
  ReplaceVersion(table, BuildVersionResource(version));

  size_t icons = 0, groups = 0, versions = 0, others = 0;
  for (const Resource& resource : table) {
    if (resource.type == ResourceName::Id(kIconType)) {
      ++icons;
      EXPECT_EQ(resource.data,
                Bytes(ico.begin() + ReadLe32(&ico[6 + 16 * (resource.name.id - 1) + 12]),
                      ico.begin() + ReadLe32(&ico[6 + 16 * (resource.name.id - 1) + 12]) +
                          ReadLe32(&ico[6 + 16 * (resource.name.id - 1) + 8])));
    } else if (resource.type == ResourceName::Id(kGroupIconType)) {
      ++groups;
      EXPECT_TRUE(resource.name == Text(u"MAINICON"));  // the name Explorer looks up stays
      ASSERT_EQ(resource.data.size(), 6u + 2 * 14);
      EXPECT_EQ(ReadLe16(&resource.data[4]), 2);
      EXPECT_EQ(ReadLe16(&resource.data[6 + 14 + 12]), 2);  // the second image's number
    } else if (resource.type == ResourceName::Id(kVersionType)) {
      ++versions;
    } else {
      ++others;
    }
  }
  EXPECT_EQ(icons, 2u);
  EXPECT_EQ(groups, 1u);
  EXPECT_EQ(versions, 1u);
  EXPECT_EQ(others, MixedResources().size() - 2);

  EXPECT_THROW(ReplaceIcon(table, ToBytes("not an icon"), "x.ico"), Error);
  EXPECT_THROW(ReplaceIcon(table, IconFile({}), "x.ico"), Error);
  Bytes cut = IconFile({300});
  cut.resize(cut.size() - 1);
  EXPECT_THROW(ReplaceIcon(table, cut, "x.ico"), Error);
}

TEST(ResourceSectionTest, VersionNumbersAndTexts) {
  EXPECT_EQ(ParseVersionNumber("1", "V"), (std::array<uint16_t, 4>{1, 0, 0, 0}));
  EXPECT_EQ(ParseVersionNumber("1.2.3.65535", "V"), (std::array<uint16_t, 4>{1, 2, 3, 65535}));
  for (const char* bad : {"", "1.", ".1", "1.2.3.4.5", "65536", "1.x", "-1", "1..2"}) {
    EXPECT_THROW(ParseVersionNumber(bad, "V"), Error) << bad;
  }
  VersionInfo version;
  version.texts = {{"ProductName", "\xc3\xa9\xf0\x9f\x8c\x8a"}};  // U+00E9, U+1F30A
  const Bytes resource = BuildVersionResource(version);
  const Bytes units = {0xe9, 0x00, 0x3c, 0xd8, 0x0a, 0xdf, 0x00, 0x00};
  EXPECT_NE(std::search(resource.begin(), resource.end(), units.begin(), units.end()),
            resource.end());
  for (const char* bad : {"Br\xe4"
                          "ckwater",
                          "\xf5\x80\x80\x80", "\xc0\xaf", "\xed\xa0\x80", "\xe2\x82"}) {
    version.texts = {{"CompanyName", bad}};  // Latin-1, too large, overlong, a surrogate, cut short
    try {
      BuildVersionResource(version);
      ADD_FAILURE() << "built " << bad;
    } catch (const Error& error) {
      EXPECT_NE(std::string(error.what()).find("CompanyName"), std::string::npos);
    }
  }
  version.texts = {{"CompanyName", std::string(40000, 'x')}};
  EXPECT_THROW(BuildVersionResource(version), Error);
}

TEST(StubResourcesTest, RewritingMovesTheRelocationsAndKeepsTheRestByteForByte) {
  const ResourceTable original = MixedResources();
  const Bytes stub = StubImage(original);
  ExpectSameResources(ReadStubResources(stub, "stub.exe"), original);
  // The same resources give the same bytes.
  EXPECT_EQ(ReplaceStubResources(stub, "stub.exe", original), stub);

  ResourceTable grown = original;
  ReplaceIcon(grown, IconFile({9000, 1200}), "icon.ico");
  const Bytes dressed = ReplaceStubResources(stub, "stub.exe", grown);
  ExpectSameResources(ReadStubResources(dressed, "stub.exe"), grown);
  EXPECT_TRUE(
      std::equal(stub.begin() + 0x200, stub.begin() + 0x400, dressed.begin() + 0x200));  // .text

  const auto rsrc = SectionOf(dressed, 1);
  const auto reloc = SectionOf(dressed, 2);
  EXPECT_EQ(rsrc[0], 0x2000u);
  EXPECT_EQ(ReadLe32(&dressed[kOptional + 112 + 8 * kResourceDirectory + 4]), rsrc[1]);
  EXPECT_EQ(reloc[0], Align(0x2000 + rsrc[1], kSectionAlignment));
  EXPECT_GT(reloc[0], 0x3000u);
  EXPECT_EQ(ReadLe32(&dressed[kOptional + 112 + 8 * kBaseRelocationDirectory]), reloc[0]);
  EXPECT_EQ(reloc[2], rsrc[2] + rsrc[3]);
  EXPECT_EQ(dressed.size(), reloc[2] + reloc[3]);
  const auto old_reloc = SectionOf(stub, 2);
  EXPECT_TRUE(std::equal(stub.begin() + old_reloc[2], stub.end(), dressed.begin() + reloc[2]));
  EXPECT_EQ(ReadLe32(&dressed[kOptional + 56]), Align(reloc[0] + reloc[1], kSectionAlignment));

  // Without keys the stub is not touched at all.
  EXPECT_EQ(DressStub(stub, "stub.exe", SetupLook{}), stub);
}

TEST(StubResourcesTest, LayoutsThatCannotBeRewrittenAreRefused) {
  const auto expect_refused = [](const Bytes& stub, const std::string& part) {
    try {
      ReplaceStubResources(stub, "stub.exe", MixedResources());
      ADD_FAILURE() << "rewritten, expected: " << part;
    } catch (const Error& error) {
      const std::string message = error.what();
      EXPECT_NE(message.find("stub \"stub.exe\" cannot take the installer's icon"),
                std::string::npos)
          << message;
      EXPECT_NE(message.find(part), std::string::npos) << message;
    }
  };
  expect_refused(StubImage(MixedResources(), false), "not its last section");
  Bytes signed_stub = StubImage(MixedResources());
  WriteLe32(&signed_stub[kOptional + 112 + 8 * kSecurityDirectory],
            static_cast<uint32_t>(signed_stub.size()));
  WriteLe32(&signed_stub[kOptional + 112 + 8 * kSecurityDirectory + 4], 8);
  signed_stub.resize(signed_stub.size() + 8);
  expect_refused(signed_stub, "signed");
  EXPECT_THROW(DressStub(signed_stub, "stub.exe", SetupLook{}), Error);
  Bytes trailing = StubImage(MixedResources());
  trailing.push_back(0);
  expect_refused(trailing, "bytes follow its last section");
  Bytes no_resources = StubImage(MixedResources());
  WriteLe32(&no_resources[kOptional + 112 + 8 * kResourceDirectory], 0);
  expect_refused(no_resources, "no resource section");
  expect_refused(ToBytes("MZ and nothing of a program"), "no Windows program");
}

TEST(StubResourcesTest, SetupKeysAreCheckedBeforePacking) {
  TempFolder folder;
  WorkedExample example(folder);
  const auto refusal = [&](const std::vector<std::string>& extra) {
    std::vector<std::string> lines = WorkedExample::DescriptionLines();
    lines.insert(lines.end(), extra.begin(), extra.end());
    example.WriteDescription(lines);
    PackOptions options;
    options.stub_path = example.stub();
    options.description_path = example.description();
    options.output_path = folder.File("setup.exe");
    try {
      PackInstaller(options);
      return std::string();
    } catch (const Error& error) {
      EXPECT_FALSE(std::filesystem::exists(options.output_path));
      return std::string(error.what());
    }
  };
  EXPECT_NE(refusal({"SetupCopyright=(c) 2026"}).find("SetupVersion"), std::string::npos);
  EXPECT_NE(refusal({"SetupVersion=1.2", "setupversion=1.3"}).find("given twice"),
            std::string::npos);
  EXPECT_NE(refusal({"SetupVersion=1.2.beta"}).find("no version number"), std::string::npos);
  WriteFile(example.File("setup.ico"), ToBytes("GIF89a"));
  EXPECT_NE(refusal({"SetupIconFile=setup.ico"}).find("no Windows icon file"), std::string::npos);
  // The example's stub is a bare stub without resources: with a version it
  // cannot be dressed.
  EXPECT_NE(refusal({"SetupVersion=1.2"}).find("cannot take the installer's icon"),
            std::string::npos);
  EXPECT_EQ(refusal({}), "");
}

TEST(StubResourcesTest, CompanyNameIsTheCompanyNotTheWindowsLine) {
  TempFolder folder;
  WorkedExample example(folder);  // AppCompany=by Brackwater
  struct Row {
    std::vector<std::string> added;
    std::string company;
  } const rows[] = {
      {{}, "Brackwater"},
      {{"AppPublisher=Brackwater Ltd"}, "Brackwater Ltd"},
      {{"AppPublisher=Brackwater Ltd", "SetupCompanyName=Brackwater Editions"},
       "Brackwater Editions"},
  };
  for (const Row& row : rows) {
    std::vector<std::string> lines = WorkedExample::DescriptionLines();
    lines.push_back("SetupVersion=1.2");
    lines.insert(lines.end(), row.added.begin(), row.added.end());
    example.WriteDescription(lines);
    const SetupLook look = LoadProduct(example.description(), CodePage(1252)).setup;
    ASSERT_TRUE(look.version);
    const auto& texts = look.version->texts;
    const auto company = std::find_if(texts.begin(), texts.end(),
                                      [](const auto& text) { return text.first == "CompanyName"; });
    ASSERT_NE(company, texts.end());
    EXPECT_EQ(company->second, row.company);
  }
}

}  // namespace
}  // namespace tidemark::test
