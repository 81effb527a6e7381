#include "system/shortcut.h"

#include <objidl.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "container/errors.h"
#include "system/file_system.h"
#include "system/handles.h"
#include "system/system_error.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

struct LinkFields {
  std::string target, description, working_folder;
};

LinkFields ReadLink(const std::string& path) {
  ComPtr<IShellLinkA> link;
  EXPECT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                         IID_IShellLinkA, link.ReceiveVoid())));
  ComPtr<IPersistFile> file;
  EXPECT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid())));
  EXPECT_TRUE(SUCCEEDED(file->Load(AnsiToWide(path).c_str(), STGM_READ)));
  char text[3][MAX_PATH + 1] = {};
  link->GetPath(text[0], MAX_PATH, nullptr, SLGP_RAWPATH);
  link->GetDescription(text[1], MAX_PATH);
  link->GetWorkingDirectory(text[2], MAX_PATH);
  return {text[0], text[1], text[2]};
}

class Shortcut : public ::testing::Test {
 protected:
  ScopedCoInitialize com_;
  testing::ScratchFolder folder_;
};

TEST_F(Shortcut, StartsInTheTargetsFolderWithItsSeparator) {
  const std::string target = folder_.Sub("app.exe");
  folder_.WriteFile("app.exe", "MZ");
  CreateShortcut("Runs the app", AnsiToWide(folder_.Sub("App.lnk")), target);
  const LinkFields link = ReadLink(folder_.Sub("App.lnk"));
  EXPECT_EQ(link.target, target);
  EXPECT_EQ(link.description, "Runs the app");
  EXPECT_EQ(link.working_folder, folder_.path() + "\\");
}

TEST_F(Shortcut, TargetWithoutFolderGivesNoWorkingFolder) {
  CreateShortcut("", AnsiToWide(folder_.Sub("Bare.lnk")), "notepad.exe");
  ASSERT_TRUE(FileExists(folder_.Sub("Bare.lnk")));
  EXPECT_EQ(ReadLink(folder_.Sub("Bare.lnk")).working_folder, "");
}

TEST_F(Shortcut, IntoAMissingFolderLeavesNothingAndRaisesNothing) {
  const std::string link = folder_.Sub("missing\\App.lnk");
  EXPECT_NO_THROW(CreateShortcut("d", AnsiToWide(link), "C:\\x\\app.exe"));
  EXPECT_FALSE(FileExists(link));
  EXPECT_FALSE(FolderExists(folder_.Sub("missing")));
}

// Without COM on the thread the shell link object cannot be made; the
// error carries the system's description of the code, or its number.
TEST(ShortcutWithoutCom, RaisesTheFailureToCreateTheObject) {
  testing::ScratchFolder folder;
  try {
    CreateShortcut("d", AnsiToWide(folder.Sub("App.lnk")), "C:\\x\\app.exe");
    ADD_FAILURE() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()), OleErrorText(CO_E_NOTINITIALIZED));
  }
  EXPECT_FALSE(FileExists(folder.Sub("App.lnk")));
}

TEST(AnsiToWide, ConvertsThroughTheAnsiCodePage) {
  EXPECT_EQ(AnsiToWide(""), L"");
  EXPECT_EQ(AnsiToWide("C:\\Program Files\\a.lnk"), L"C:\\Program Files\\a.lnk");
  if (GetACP() == 1252) {
    EXPECT_EQ(AnsiToWide("caf\xE9"), L"caf\u00e9");
  }
}

}  // namespace
}  // namespace tidemark
