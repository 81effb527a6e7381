// What the layout or the installer cannot carry is refused before anything
// is written, with a message that names the offending file or key.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "codecs/jpeg_encoder.h"
#include "container/container_walk.h"
#include "container/errors.h"
#include "container/image_file.h"
#include "container/layout.h"
#include "container/picture_bounds.h"
#include "packer/cli/pack.h"
#include "packer/product/install_names.h"
#include "packer/product/product_description.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

class RefusalTest : public ::testing::Test {
 protected:
  // Packs and returns the error message; "" when packing succeeded.
  std::string PackMessage() {
    PackOptions options;
    options.stub_path = example_.stub();
    options.description_path = example_.description();
    options.output_path = folder_.File("setup.exe");
    options.scrambled = scrambled_;
    try {
      PackInstaller(options);
      return "";
    } catch (const Error& error) {
      EXPECT_FALSE(std::filesystem::exists(options.output_path));
      EXPECT_FALSE(std::filesystem::exists(options.output_path + ".partial"));
      return error.what();
    }
  }

  // The example's description with `line` replacing the one of the same key
  // (or added), or without that key when `line` is just "Key=" + kDrop.
  void SetLine(const std::string& line) {
    const std::string key = line.substr(0, line.find('=') + 1);
    std::vector<std::string> lines;
    bool replaced = false;
    for (const std::string& old : WorkedExample::DescriptionLines()) {
      if (old.compare(0, key.size(), key) == 0) {
        replaced = true;
        if (line != key + kDrop) lines.push_back(line);
      } else {
        lines.push_back(old);
      }
    }
    if (!replaced) lines.push_back(line);
    example_.WriteDescription(lines);
  }

  void AddFile(const std::string& relative, const Bytes& bytes = ToBytes("content")) {
    std::filesystem::create_directories(
        std::filesystem::path(example_.files() + "/" + relative).parent_path());
    WriteFile(example_.files() + "/" + relative, bytes);
  }

  void ExpectRefused(std::initializer_list<std::string> message_parts) {
    const std::string message = PackMessage();
    ASSERT_FALSE(message.empty()) << "was packed";
    for (const std::string& part : message_parts) {
      EXPECT_NE(message.find(part), std::string::npos) << message;
    }
  }

  // Adds the file, expects the product to be refused, and takes it away again.
  void ExpectFileRefused(const std::string& relative,
                         std::initializer_list<std::string> message_parts,
                         const Bytes& bytes = ToBytes("content")) {
    SCOPED_TRACE(relative);
    AddFile(relative, bytes);
    ExpectRefused(message_parts);
    std::filesystem::remove(example_.files() + "/" + relative);
  }

  static constexpr char kDrop[] = "<drop>";
  bool scrambled_ = false;
  TempFolder folder_;
  WorkedExample example_{folder_};
};

TEST_F(RefusalTest, TheWorkedExamplePacks) { EXPECT_EQ(PackMessage(), ""); }

TEST_F(RefusalTest, FileNamesTheFileLineCannotCarry) {
  ExpectFileRefused("docs/a<b.txt", {"docs\\a<b.txt", "\"<\" or \">\""});
  ExpectFileRefused("x>y", {"x>y", "\"<\" or \">\""});
  ExpectFileRefused("tab\there", {"tab\there", "control character"});
}

TEST_F(RefusalTest, FileNamesWindowsCannotHold) {
  ExpectFileRefused("docs/what?.txt", {"docs\\what?.txt", "not a plain relative name"});
  ExpectFileRefused("c:evil.txt", {"c:evil.txt", "drive"});
  ExpectFileRefused("back\\slash.txt", {"back\\slash.txt", "folder separator"});
  ExpectFileRefused("docs/CON.txt", {"docs\\CON.txt", "device name"});
  // Windows reserves these too; ¹ is the byte B9 in code page 1252.
  for (const char* device :
       {"COM0", "lpt0.txt", "COM\u00B9.log", "LPT\u00B3", "CLOCK$", "conin$.txt", "CONOUT$"}) {
    ExpectFileRefused(std::string("docs/") + device, {"device name"});
  }
  ExpectFileRefused("trail.", {"ends with \".\" or a blank"});
  ExpectFileRefused("docs/trail ", {"ends with \".\" or a blank"});
}

TEST_F(RefusalTest, SymbolicLinksInTheFilesFolder) {
  AddFile("../outside.txt");
  std::filesystem::create_symlink(example_.File("outside.txt"), example_.files() + "/link.txt");
  ExpectRefused({"link.txt", "symbolic link"});
}

TEST_F(RefusalTest, NamesThatWouldLeaveTheInstallFolder) {
  for (const char* name :
       {"\\abs.txt", "C:\\abs.txt", "C:rel.txt", "..\\up.txt", "a\\..\\..\\up.txt", "a/../up"}) {
    EXPECT_NE(FileNameFault(name, nullptr), "") << name;
  }
  SetLine("ExeName=..\\Marrowlight.exe");
  ExpectRefused({"ExeName", "..\\Marrowlight.exe"});
  example_.WriteDescription(WorkedExample::DescriptionLines());
  SetLine("ShortcutPath1=C:\\Windows\\notepad.exe");
  ExpectRefused({"ShortcutPath1", "C:\\Windows\\notepad.exe"});
}

TEST_F(RefusalTest, ProductNamesThatAreNoPlainFolderName) {
  // The name is the program group's folder, the log's file name and the
  // uninstall entry's key.
  for (const char* name :
       {"..\\Marrowlight", "../Marrowlight", "..", ".", "Brackwater\\Marrowlight", "C:Marrowlight",
        "Marrow:light", "Marrow|light"}) {
    SCOPED_TRACE(name);
    SetLine(std::string("AppName=") + name);
    ExpectRefused({"AppName", name, "cannot be a Windows file name"});
  }
}

TEST_F(RefusalTest, ValuesTheControlInformationCannotCarry) {
  SetLine("AppCompany=by Brack" + EndMarker() + "water");
  ExpectRefused({"AppCompany", "ends the control information"});
  SetLine("AppCompany=by\rBrackwater");
  ExpectRefused({"AppCompany", "line break"});
  SetLine("AppCompany=by Marrowl\xC3\xA9ght \x7F=x");
  EXPECT_EQ(PackMessage(), "");
}

TEST_F(RefusalTest, SplashAndIconMustBeJpegs) {
  WriteFile(example_.File("splash.jpg"), RtfOfSize("not a picture", 300));
  ExpectRefused({"SplashFile", "splash.jpg", "not a JPEG"});
  WriteFile(example_.File("splash.jpg"), JpegOfSize(128, 296, 13267));
  Bytes cut = JpegOfSize(32, 32, 2260);
  cut.resize(20);
  WriteFile(example_.File("icon.jpg"), cut);
  ExpectRefused({"IconFile", "icon.jpg", "not a JPEG"});
  Bytes cut_in_the_picture = EncodeJpeg(128, 296);  // the decoder would fill in grey
  cut_in_the_picture.resize(cut_in_the_picture.size() * 2 / 3);
  WriteFile(example_.File("icon.jpg"), cut_in_the_picture);
  ExpectRefused({"IconFile", "icon.jpg", "damaged or cut-short"});
  // Sound, but the installer's decoder has no arithmetic decoding.
  const Bytes arithmetic = tidemark::EncodeJpeg(
      32, 32, 3, 90, [](int, uint8_t* row) { std::fill(row, row + 32 * 3, 200); }, true);
  WriteFile(example_.File("icon.jpg"), arithmetic);
  ExpectRefused({"line 11: IconFile", "icon.jpg", "arithmetic-coded"});
  // Far larger than the window shows them, as the installer refuses them.
  WriteFile(example_.File("icon.jpg"), JpegOfSize(32, 32, 2260));
  WriteFile(example_.File("splash.jpg"), EncodeJpeg(4097, 8));
  ExpectRefused({"SplashFile", "splash.jpg", "wider or higher than 4096 pixels"});
  WriteFile(example_.File("splash.jpg"), Bytes(kMaxPictureDataSize + 1, 0xFF));
  ExpectRefused({"SplashFile", "splash.jpg", "larger than the 16 MiB"});
}

TEST_F(RefusalTest, EveryProblemIsReportedInOneRunWithItsLine) {
  std::vector<std::string> lines = WorkedExample::DescriptionLines();
  lines[0] = "AppName=Marrow|light";                 // line 1
  lines[4] = "ExeShortcut=";                         // line 5
  lines.insert(lines.begin() + 6, "AppColour=red");  // line 7
  example_.WriteDescription(lines);
  std::filesystem::remove(example_.File("about.rtf"));
  AddFile("docs/a<b.txt");
  const std::string message = PackMessage();
  for (const char* part :
       {"(5 errors)", "line 1: key AppName", "line 5: key ExeShortcut is missing",
        "line 7: unknown key \"AppColour\"", "line 13: AboutFile",
        "line 15: file \"docs\\a<b.txt\""}) {
    EXPECT_NE(message.find(part), std::string::npos) << part << "\n" << message;
  }
  EXPECT_LT(message.find("line 1:"), message.find("line 15:"));
}

TEST_F(RefusalTest, WarningsForWhatTheInstallerIgnoresOrReplaces) {
  std::vector<std::string> lines = WorkedExample::DescriptionLines();
  lines[2] = "TargetFolder=D:\\Apps\\Marrowlight";  // line 3
  lines[6] = "ShortcutPath1=docs\\Manual.txt";      // line 7
  lines.push_back("ShortcutName3=Never made");      // line 16
  example_.WriteDescription(lines);
  PackOptions options;
  options.stub_path = example_.stub();
  options.description_path = example_.description();
  options.output_path = folder_.File("setup.exe");
  const std::vector<std::string> warnings = PackInstaller(options).warnings;
  ASSERT_EQ(warnings.size(), 4u);
  EXPECT_NE(
      warnings[0].find("line 3: warning: key TargetFolder: the first part, \"D:\", is replaced"),
      std::string::npos)
      << warnings[0];
  EXPECT_NE(warnings[1].find("line 3: warning: key TargetFolder: the installer proposes this "
                             "folder only where \"C:\\Program Files\\Apps\" already exists"),
            std::string::npos)
      << warnings[1];
  EXPECT_NE(warnings[2].find("line 7: warning: key ShortcutPath1: \"docs\\Manual.txt\" is neither"),
            std::string::npos)
      << warnings[2];
  EXPECT_NE(warnings[3].find("line 16: warning: key ShortcutName3 comes after"), std::string::npos)
      << warnings[3];
}

TEST_F(RefusalTest, NamesAndPathsLongerThanWindowsTakes) {
  SetLine("AppName=" + std::string(256, 'M'));
  ExpectRefused({"line 1: key AppName", "registry key name"});
  SetLine("AppName=" + std::string(252, 'M'));
  ExpectRefused({"line 1: key AppName", "\".ilg\""});
  example_.WriteDescription(WorkedExample::DescriptionLines());
  AddFile("docs/" + std::string(240, 'a') + ".txt");
  AddFile("docs/" + std::string(230, 'b') + ".txt");
  ExpectRefused(
      {"line 3: 2 file(s) would have install paths of 260 characters or more below \"C:\\Program "
       "Files\\Marrowlight\"",
       std::string(240, 'a')});
}

TEST_F(RefusalTest, DescriptionKeysUnknownRepeatedOrComputed) {
  SetLine("AppColour=red");
  ExpectRefused({"unknown key \"AppColour\"", "line 16"});
  SetLine("AppColour=<drop>");
  SetLine("Filecount=3");
  ExpectRefused({"\"Filecount\"", "computed by the packer"});
  SetLine("Filecount=<drop>");
  SetLine("ShortcutName01=x");
  ExpectRefused({"unknown key \"ShortcutName01\""});
  SetLine("ShortcutName01=<drop>");
  SetLine("appname=Marrowlight");
  ExpectRefused({"\"AppName\" is given twice"});
  example_.WriteDescription({"no equals sign"});
  ExpectRefused({"expected name=value"});
}

TEST_F(RefusalTest, MissingRequiredFilesAndKeys) {
  std::filesystem::remove(example_.File("about.rtf"));
  ExpectRefused({"AboutFile", "about.rtf", "does not exist"});
  WriteFile(example_.File("about.rtf"), RtfOfSize("About", 253));
  for (const char* key : {"SplashFile", "LicenseFile", "FilesFolder", "AppName", "ExeName",
                          "ExeShortcut", "TargetFolder"}) {
    SCOPED_TRACE(key);
    SetLine(std::string(key) + "=<drop>");
    ExpectRefused({key, "missing"});
    example_.WriteDescription(WorkedExample::DescriptionLines());
  }
  SetLine("FilesFolder=nowhere");
  ExpectRefused({"nowhere", "does not exist"});
}

TEST_F(RefusalTest, ProductFilesTheInstallerCouldNotInstallSoundly) {
  ExpectFileRefused("Uninstall.EXE", {"Uninstall.EXE", "uninstaller"});
  ExpectFileRefused("marrowlight.ilg", {"marrowlight.ilg", "install log"});
  ExpectFileRefused("DOCS/Manual.pdf", {"letter case"});
  SetLine("ExeName=Marrowlite.exe");
  ExpectRefused({"ExeName", "Marrowlite.exe", "not one of the product's files"});
  example_.WriteDescription(WorkedExample::DescriptionLines());
  std::filesystem::remove_all(example_.files());
  std::filesystem::create_directories(example_.files() + "/only/folders");
  ExpectRefused({"holds no files"});
}

TEST_F(RefusalTest, OnlyTheShortcutsTheInstallerMakesAreChecked) {
  // Pairs after the first empty name are carried but never used.
  std::vector<std::string> lines = WorkedExample::DescriptionLines();
  lines.push_back("ShortcutName3=Manual: read me");
  lines.push_back("ShortcutPath3=..\\outside");
  example_.WriteDescription(lines);
  EXPECT_EQ(PackMessage(), "");
  std::filesystem::remove(folder_.File("setup.exe"));
  SetLine("ShortcutPath1=..\\outside");
  ExpectRefused({"ShortcutPath1"});
  SetLine("ShortcutName1=Manual: read me");
  ExpectRefused({"ShortcutName1", "Windows file name"});
}

TEST_F(RefusalTest, ScrambledOutputThatHoldsThePlainStartMarker) {
  PackMessage();  // plain, to find where the about text lies
  ExeImage image(ReadFileStorage(folder_.File("setup.exe")));
  ControlInfo info;
  const HeadWalk walk = WalkContainerHead(image, "setup.exe", info);
  std::filesystem::remove(folder_.File("setup.exe"));
  const size_t key_index = static_cast<size_t>(walk.about.start) -
                           ReadWholeFile(example_.stub()).size() - kStartMarkerLength;
  // The about text is stored raw, so its scrambled bytes can be chosen.
  Bytes about = ReadWholeFile(example_.File("about.rtf"));
  const std::string marker = StartMarker();
  for (size_t i = 0; i < marker.size(); ++i) {
    about[100 + i] =
        static_cast<uint8_t>(marker[i] ^ ScrambleKey[(key_index + 100 + i) % kScrambleKeyLength]);
  }
  WriteFile(example_.File("about.rtf"), about);
  scrambled_ = true;
  ExpectRefused({"plain start marker", "offset " + std::to_string(key_index + 100)});
}

}  // namespace
}  // namespace tidemark::test
