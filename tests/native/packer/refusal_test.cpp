// What the layout or the installer cannot carry is refused before anything
// is written, with a message that names the offending file or key.
#include <gtest/gtest.h>

#include <filesystem>

#include "container/errors.h"
#include "container/layout.h"
#include "packer/pack.h"
#include "packer/product_checks.h"
#include "packer/product_description.h"
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
    std::filesystem::create_directories(std::filesystem::path(example_.files() + "/" + relative).parent_path());
    WriteFile(example_.files() + "/" + relative, bytes);
  }

  static constexpr char kDrop[] = "<drop>";
  TempFolder folder_;
  WorkedExample example_{folder_};
};

#define EXPECT_REFUSED(...)                                                \
  do {                                                                     \
    const std::string message = PackMessage();                             \
    ASSERT_FALSE(message.empty()) << "was packed";                         \
    for (const char* part : {__VA_ARGS__}) {                               \
      EXPECT_NE(message.find(part), std::string::npos) << message;         \
    }                                                                      \
  } while (0)

TEST_F(RefusalTest, TheWorkedExamplePacks) { EXPECT_EQ(PackMessage(), ""); }

TEST_F(RefusalTest, FileNamesTheFileLineCannotCarry) {
  AddFile("docs/a<b.txt");
  EXPECT_REFUSED("docs\\a<b.txt", "\"<\" or \">\"");
  std::filesystem::remove(example_.files() + "/docs/a<b.txt");
  AddFile("x>y");
  EXPECT_REFUSED("x>y", "\"<\" or \">\"");
  std::filesystem::remove(example_.files() + "/x>y");
  AddFile("tab\there");
  EXPECT_REFUSED("tab\there", "control character");
}

TEST_F(RefusalTest, FileNamesWindowsCannotHold) {
  AddFile("docs/what?.txt");
  EXPECT_REFUSED("docs\\what?.txt", "not a plain relative name");
  std::filesystem::remove(example_.files() + "/docs/what?.txt");
  AddFile("c:evil.txt");
  EXPECT_REFUSED("c:evil.txt", "drive");
  std::filesystem::remove(example_.files() + "/c:evil.txt");
  AddFile("back\\slash.txt");
  EXPECT_REFUSED("back\\slash.txt", "folder separator");
  std::filesystem::remove(example_.files() + "/back\\slash.txt");
  AddFile("docs/CON.txt");
  EXPECT_REFUSED("docs\\CON.txt", "device name");
}

TEST_F(RefusalTest, NamesThatWouldLeaveTheInstallFolder) {
  for (const char* name : {"\\abs.txt", "C:\\abs.txt", "C:rel.txt", "..\\up.txt", "a\\..\\..\\up.txt", "a/../up"}) {
    SCOPED_TRACE(name);
    try {
      CheckProductFileName(name);
      ADD_FAILURE() << "accepted";
    } catch (const Error& error) {
      EXPECT_NE(std::string(error.what()).find(name), std::string::npos) << error.what();
    }
  }
  SetLine("ExeName=..\\Marrowlight.exe");
  EXPECT_REFUSED("ExeName", "..\\Marrowlight.exe");
  example_.WriteDescription(WorkedExample::DescriptionLines());
  SetLine("ShortcutPath1=C:\\Windows\\notepad.exe");
  EXPECT_REFUSED("ShortcutPath1", "C:\\Windows\\notepad.exe");
}

TEST_F(RefusalTest, ValuesTheControlInformationCannotCarry) {
  SetLine("AppCompany=by Brack" + EndMarker() + "water");
  EXPECT_REFUSED("AppCompany", "ends the control information");
  SetLine("AppCompany=by\rBrackwater");
  EXPECT_REFUSED("AppCompany", "line break");
  EXPECT_THROW(CheckControlValue("AppName", "Marrow\nlight"), Error);
  EXPECT_THROW(CheckControlValue("AppName", "Marrow\tlight"), Error);
  EXPECT_NO_THROW(CheckControlValue("AppName", "Marrowl\xE9ght \x7F=x"));
}

TEST_F(RefusalTest, SplashAndIconMustBeJpegs) {
  WriteFile(example_.File("splash.jpg"), RtfOfSize("not a picture", 300));
  EXPECT_REFUSED("SplashFile", "splash.jpg", "not a JPEG");
  WriteFile(example_.File("splash.jpg"), JpegOfSize(128, 296, 13267));
  Bytes cut = JpegOfSize(32, 32, 2260);
  cut.resize(20);
  WriteFile(example_.File("icon.jpg"), cut);
  EXPECT_REFUSED("IconFile", "icon.jpg", "not a JPEG");
}

TEST_F(RefusalTest, DescriptionKeysUnknownRepeatedOrComputed) {
  SetLine("AppVersion=1.0");
  EXPECT_REFUSED("unknown key \"AppVersion\"", "line 15");
  SetLine("AppVersion=<drop>");
  SetLine("Filecount=3");
  EXPECT_REFUSED("\"Filecount\"", "computed by the packer");
  SetLine("Filecount=<drop>");
  SetLine("ShortcutName01=x");
  EXPECT_REFUSED("unknown key \"ShortcutName01\"");
  SetLine("ShortcutName01=<drop>");
  SetLine("appname=Marrowlight");
  EXPECT_REFUSED("\"AppName\" is given twice");
  example_.WriteDescription({"no equals sign"});
  EXPECT_REFUSED("expected name=value");
}

TEST_F(RefusalTest, MissingRequiredFilesAndKeys) {
  std::filesystem::remove(example_.File("about.rtf"));
  EXPECT_REFUSED("AboutFile", "about.rtf", "does not exist");
  WriteFile(example_.File("about.rtf"), RtfOfSize("About", 253));
  for (const char* key : {"SplashFile", "LicenseFile", "FilesFolder", "AppName", "ExeName", "ExeShortcut",
                          "TargetFolder"}) {
    SCOPED_TRACE(key);
    SetLine(std::string(key) + "=<drop>");
    EXPECT_REFUSED(key, "missing");
    example_.WriteDescription(WorkedExample::DescriptionLines());
  }
  SetLine("FilesFolder=nowhere");
  EXPECT_REFUSED("nowhere", "does not exist");
}

TEST_F(RefusalTest, ProductFilesTheInstallerCouldNotInstallSoundly) {
  AddFile("samples/empty.dat", {});
  EXPECT_REFUSED("samples\\empty.dat", "empty");
  std::filesystem::remove(example_.files() + "/samples/empty.dat");
  AddFile("Uninstall.EXE");
  EXPECT_REFUSED("Uninstall.EXE", "uninstaller");
  std::filesystem::remove(example_.files() + "/Uninstall.EXE");
  AddFile("marrowlight.ilg");
  EXPECT_REFUSED("marrowlight.ilg", "install log");
  std::filesystem::remove(example_.files() + "/marrowlight.ilg");
  AddFile("DOCS/Manual.pdf");
  EXPECT_REFUSED("letter case");
  std::filesystem::remove_all(example_.files() + "/DOCS");
  SetLine("ExeName=Marrowlite.exe");
  EXPECT_REFUSED("ExeName", "Marrowlite.exe", "not one of the product's files");
  example_.WriteDescription(WorkedExample::DescriptionLines());
  std::filesystem::remove_all(example_.files());
  std::filesystem::create_directories(example_.files() + "/only/folders");
  EXPECT_REFUSED("holds no files");
}

TEST_F(RefusalTest, ShortcutsTheInstallerWouldNeverMake) {
  SetLine("ShortcutName3=Readme");
  EXPECT_REFUSED("ShortcutName3", "never used", "ShortcutName2");
  SetLine("ShortcutName3=<drop>");
  SetLine("ShortcutPath2=docs");
  EXPECT_REFUSED("ShortcutPath2", "no ShortcutName2");
  SetLine("ShortcutPath2=");
  SetLine("ShortcutName1=Manual: read me");
  EXPECT_REFUSED("ShortcutName1", "Windows file name");
}

TEST_F(RefusalTest, StubsThatHoldAStartMarker) {
  WriteFile(example_.stub(), Concat({StubBytes(), ToBytes(StartMarker()), StubBytes()}));
  EXPECT_REFUSED("stub", "start marker at offset 8194");
  WriteFile(example_.stub(), Concat({ToBytes("MZ"), ToBytes(ScrambledStartMarker())}));
  EXPECT_REFUSED("stub", "start marker at offset 2");
}

}  // namespace
}  // namespace tidemark::test
