// What the packer tells a vendor who gives it the wrong thing: a key of
// another builder or a slip of the pen, a Windows icon as the window's
// picture, a key twice, and to the read-back commands a file that is no
// installer of this system, or an uninstaller one of its installations wrote.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>

#include "container/errors.h"
#include "container/layout.h"
#include "packer/build/installer_reader.h"
#include "packer/cli/inspect_commands.h"
#include "packer/cli/pack.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

class WrongInputTest : public ::testing::Test {
 protected:
  std::string Pack(const std::string& name, bool scrambled = false) {
    PackOptions options;
    options.stub_path = example_.stub();
    options.description_path = example_.description();
    options.output_path = folder_.File(name);
    options.scrambled = scrambled;
    PackInstaller(options);
    return options.output_path;
  }

  // The error of packing the example with `lines` added; "" when it packs.
  std::string PackFault(const std::vector<std::string>& lines) {
    std::vector<std::string> description = WorkedExample::DescriptionLines();
    description.insert(description.end(), lines.begin(), lines.end());
    example_.WriteDescription(description);
    try {
      Pack("setup.exe");
      return "";
    } catch (const Error& error) {
      return error.what();
    }
  }

  // The uninstaller an installation of `installer` writes, at `name`.
  std::string UninstallerOf(const std::string& installer, const std::string& name) {
    Bytes bytes = ReadWholeFile(installer);
    bytes.resize(static_cast<size_t>(InstallerReader(installer).head().payload_start));
    WriteFile(folder_.File(name), bytes);
    return folder_.File(name);
  }

  TempFolder folder_;
  WorkedExample example_{folder_};
};

TEST_F(WrongInputTest, MessagesSayWhatWasMeant) {
  const std::string installer = Pack("plain.exe");
  const std::string uninstaller = UninstallerOf(installer, "uninstall.exe");
  const std::string renamed_scrambled_uninstaller =
      UninstallerOf(Pack("scrambled.exe", true), "uninstall (copy).exe");
  Bytes foreign_program = StubBytes();
  const std::string signature = kStubSignature;
  std::search(foreign_program.begin(), foreign_program.end(), signature.begin(),
              signature.end())[0] = 'X';
  WriteFile(folder_.File("notepad.exe"), foreign_program);
  WriteFile(folder_.File("nsis-setup.exe"), Concat({foreign_program, RandomBytes(4000, 7)}));
  Bytes damaged = ReadWholeFile(installer);
  damaged[StubBytes().size()] ^= 0x20;  // the start marker's first byte
  WriteFile(folder_.File("damaged.exe"), damaged);

  struct Row {
    const char* what;
    std::function<std::string()> fault;
    std::string expected;
  } const rows[] = {
      {"another builder's key", [&] { return PackFault({"Version=1.2"}); },
       "line 16: unknown key \"Version\"; did you mean AppVersion (the uninstall entry's version) "
       "or SetupVersion (the installer's version information)?"},
      {"the version information's name", [&] { return PackFault({"CompanyName=Brackwater"}); },
       "or SetupCompanyName (the installer's version information)?"},
      {"a slip of the pen", [&] { return PackFault({"AppVersoin=1.2"}); },
       "unknown key \"AppVersoin\"; did you mean AppVersion?"},
      {"a slip in a setup key", [&] { return PackFault({"setupcompnyname=B"}); },
       "did you mean SetupCompanyName?"},
      {"an icon file as the window's picture",
       [&] {
         const Bytes picture = ReadWholeFile(example_.File("icon.jpg"));
         WriteFile(example_.File("icon.jpg"), Concat({Bytes{0, 0, 1, 0, 1, 0}, Bytes(64, 0)}));
         const std::string fault = PackFault({});
         WriteFile(example_.File("icon.jpg"), picture);
         return fault;
       },
       "; it is a Windows icon file: IconFile is the JPEG picture at the top of the window, "
       "SetupIconFile the installer's own file icon"},
      {"a key twice", [&] { return PackFault({"appname=Other"}); },
       "line 16: key \"AppName\" is given twice (first on line 1)"},
      {"a Windows program",
       [&] { return CommandFault(&VerifyInstaller, folder_.File("notepad.exe")); },
       "\"" + folder_.File("notepad.exe") +
           "\" is not a Tidemark installer: no container follows the program"},
      {"another builder's installer",
       [&] { return CommandFault(&ListInstaller, folder_.File("nsis-setup.exe")); },
       "is not a Tidemark installer: no container follows the program"},
      {"a text file", [&] { return CommandFault(&ListInstaller, example_.description()); },
       "is not a Tidemark installer: it is a text file, not a Windows program"},
      {"the bare stub", [&] { return CommandFault(&VerifyInstaller, example_.stub()); },
       "is not a Tidemark installer: it is the bare stub, which no container follows"},
      {"an uninstaller", [&] { return CommandFault(&VerifyInstaller, uninstaller); },
       "\"" + uninstaller +
           "\" is an uninstaller written by a Tidemark installation; it carries no product files"},
      {"an uninstaller listed", [&] { return CommandFault(&ListInstaller, uninstaller); },
       "is an uninstaller written by a Tidemark installation"},
      {"a scrambled uninstaller renamed",
       [&] { return CommandFault(&VerifyInstaller, renamed_scrambled_uninstaller); },
       "is an uninstaller written by a Tidemark installation"},
      {"a damaged installer",
       [&] { return CommandFault(&VerifyInstaller, folder_.File("damaged.exe")); },
       "Can't find control information (damaged installer?)"},
  };
  for (const Row& row : rows) {
    const std::string fault = row.fault();
    EXPECT_NE(fault.find(row.expected), std::string::npos) << row.what << ": " << fault;
  }

  std::ostringstream listing;
  EXPECT_THROW(ListInstaller(uninstaller, listing), Error);
  EXPECT_NE(listing.str().find("AppName=Marrowlight"), std::string::npos) << listing.str();
  EXPECT_NE(listing.str().find("licence text"), std::string::npos) << listing.str();
  EXPECT_EQ(listing.str().find("f1 "), std::string::npos) << listing.str();
}

}  // namespace
}  // namespace tidemark::test
