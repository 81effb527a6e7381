// Reading installers back: listing, verifying and extracting, on sound and
// on damaged installers.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "container/errors.h"
#include "packer/cli/inspect_commands.h"
#include "packer/cli/pack.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

class InspectTest : public ::testing::Test {
 protected:
  std::string Pack(bool scrambled) {
    PackOptions options;
    options.stub_path = example_.stub();
    options.description_path = example_.description();
    options.output_path = folder_.File(scrambled ? "scrambled.exe" : "setup.exe");
    options.scrambled = scrambled;
    PackInstaller(options);
    return options.output_path;
  }

  // Flips one byte in the middle of file item f2 (docs\Manual.pdf).
  void DamageSecondFile(const std::string& installer) {
    std::ostringstream listing;
    ListInstaller(installer, listing);
    const std::string text = listing.str();
    const size_t row = text.find("f2 docs\\Manual.pdf");
    const int64_t offset = std::stoll(text.substr(text.find("offset", row) + 6));
    Bytes bytes = ReadWholeFile(installer);
    bytes[static_cast<size_t>(offset) + 5000] ^= 0x55;
    WriteFile(installer, bytes);
  }

  TempFolder folder_;
  WorkedExample example_{folder_};
};

TEST_F(InspectTest, ListShowsEveryLineAndItemWithOffsetsAndSizes) {
  std::ostringstream out;
  ListInstaller(Pack(false), out);
  const std::string listing = out.str();
  for (const std::string& line : WorkedExampleControlLines()) {
    EXPECT_NE(listing.find("  " + line + "\n"), std::string::npos) << line;
  }
  for (const char* item :
       {"splash", "icon", "about text", "licence text", "f1 Marrowlight.exe", "f2 docs\\Manual.pdf",
        "f3 samples\\First.dat", "DataStart ", "PayloadStart "}) {
    EXPECT_NE(listing.find(item), std::string::npos) << item;
  }
  EXPECT_NE(listing.find("content      635904"), std::string::npos) << listing;
  EXPECT_NE(listing.find("stored         253  content         253"), std::string::npos) << listing;
}

TEST_F(InspectTest, ListAndVerifyShowTheUninstallEntry) {
  const std::string plain_entry =
      "Uninstall entry HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\"
      "Marrowlight:\n"
      "  DisplayName = Marrowlight\n"
      "  UninstallString = \"<install folder>\\uninstall.exe\" uninstall\n"
      "Version information: ";
  std::ostringstream plain;
  ListInstaller(Pack(false), plain);
  EXPECT_NE(plain.str().find(plain_entry), std::string::npos) << plain.str();
  EXPECT_NE(plain.str().find("icon picture: 2260 bytes"), std::string::npos) << plain.str();

  std::vector<std::string> lines = WorkedExample::DescriptionLines();
  lines.back() = "AppVersion=1.4.2";  // instead of UninstallEntry=plain
  example_.WriteDescription(lines);
  std::ostringstream full;
  VerifyInstaller(Pack(false), full);
  for (const char* line : {"  DisplayVersion = 1.4.2\n", "  EstimatedSize = 679 (REG_DWORD)\n",
                           "  QuietUninstallString = \"<install folder>\\uninstall.exe\" /S\n",
                           "  VersionMinor = 4 (REG_DWORD)\n"}) {
    EXPECT_NE(full.str().find(line), std::string::npos) << line << full.str();
  }
}

TEST_F(InspectTest, VerifyPassesSoundInstallersPlainAndScrambled) {
  for (bool scrambled : {false, true}) {
    std::ostringstream out;
    VerifyInstaller(Pack(scrambled), out);
    EXPECT_NE(out.str().find("sound; 3 file item(s)"), std::string::npos) << out.str();
  }
}

TEST_F(InspectTest, DamagedFileItemIsNamedByListAndVerify) {
  const std::string installer = Pack(false);
  DamageSecondFile(installer);
  for (auto command : {&VerifyInstaller, &ListInstaller}) {
    const std::string fault = CommandFault(command, installer);
    EXPECT_NE(fault.find("file item f2 <docs\\Manual.pdf>"), std::string::npos) << fault;
    EXPECT_NE(fault.find("damaged compressed data"), std::string::npos) << fault;
  }
}

TEST_F(InspectTest, TruncatedAndScrambledDamageAreFaults) {
  const std::string installer = Pack(false);
  Bytes bytes = ReadWholeFile(installer);
  bytes.resize(bytes.size() - 10);
  WriteFile(installer, bytes);
  EXPECT_NE(CommandFault(&VerifyInstaller, installer).find("f3 <samples\\First.dat>"),
            std::string::npos);
  EXPECT_NE(CommandFault(&VerifyInstaller, installer).find("ends inside this item"),
            std::string::npos);

  const std::string scrambled = Pack(true);
  bytes = ReadWholeFile(scrambled);
  bytes[bytes.size() / 2] ^= 0x01;
  WriteFile(scrambled, bytes);
  EXPECT_EQ(CommandFault(&VerifyInstaller, scrambled), "Checksum error (damaged installer?)");
}

TEST_F(InspectTest, VerifyChecksTheStubAsBuildDoes) {
  const std::string installer = Pack(false);
  Bytes bytes = ReadWholeFile(installer);
  bytes[0] = 'X';
  WriteFile(installer, bytes);
  EXPECT_NE(CommandFault(&VerifyInstaller, installer)
                .find("no bare installer stub: it is not a Windows program"),
            std::string::npos);
}

TEST_F(InspectTest, ExtractWritesTheFilesInTheirFolders) {
  const std::string target = folder_.File("out");
  std::ostringstream out;
  ExtractInstaller(Pack(true), target, false, out);
  for (const char* name : {"/Marrowlight.exe", "/docs/Manual.pdf", "/samples/First.dat"}) {
    EXPECT_EQ(ReadWholeFile(target + name), ReadWholeFile(example_.files() + name)) << name;
  }
}

TEST_F(InspectTest, EmptyFilesPackVerifyAndExtractAsEmptyFiles) {
  WriteFile(example_.files() + "/samples/empty.dat", Bytes{});
  for (bool scrambled : {false, true}) {
    const std::string installer = Pack(scrambled);
    std::ostringstream verified;
    VerifyInstaller(installer, verified);
    EXPECT_NE(verified.str().find("sound; 4 file item(s)"), std::string::npos) << verified.str();
    const std::string target = folder_.File(scrambled ? "out-scrambled" : "out-plain");
    std::ostringstream out;
    ExtractInstaller(installer, target, false, out);
    ASSERT_TRUE(std::filesystem::exists(target + "/samples/empty.dat"));
    EXPECT_EQ(std::filesystem::file_size(target + "/samples/empty.dat"), 0u);
    EXPECT_EQ(ReadWholeFile(target + "/samples/First.dat"),
              ReadWholeFile(example_.files() + "/samples/First.dat"));
  }
}

TEST_F(InspectTest, ExtractRefusesNamesOutsideTheFolderBeforeWritingAnything) {
  const Bytes jpeg = EncodeJpeg(8, 8);
  for (const char* name :
       {"..\\evil.txt", "a\\..\\..\\evil.txt", "\\evil.txt", "C:\\evil.txt", "../evil.txt"}) {
    SCOPED_TRACE(name);
    ContainerParts parts;
    parts.stub = BareStubBytes();
    parts.lines = {"Splash=" + std::to_string(jpeg.size()),
                   "InfoAbout=1",
                   "InfoInstall=1",
                   "Filecount=2",
                   "f1=<good.txt><4>",
                   std::string("f2=<") + name + "><4>"};
    parts.items = {Deflate(jpeg), ToBytes("a"), ToBytes("l"), Deflate(ToBytes("good")),
                   Deflate(ToBytes("evil"))};
    const std::string installer = folder_.File("crafted.exe");
    WriteFile(installer, BuildPlainContainer(parts));
    const std::string target = folder_.File("box/inner");
    std::ostringstream out;
    try {
      ExtractInstaller(installer, target, false, out);
      ADD_FAILURE() << "extracted";
    } catch (const Error& error) {
      EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
    }
    EXPECT_NE(CommandFault(&VerifyInstaller, installer).find(name), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(folder_.File("box")));
    EXPECT_FALSE(std::filesystem::exists(folder_.File("evil.txt")));
  }
}

}  // namespace
}  // namespace tidemark::test
