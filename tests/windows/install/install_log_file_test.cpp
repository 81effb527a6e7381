#include "app/steps/whole_file.h"

#include <gtest/gtest.h>

#include "container/errors.h"
#include "tests/windows/system/scratch.h"

namespace tidemark {
namespace {

InstallLog LogOf(std::initializer_list<const char*> entries) {
  InstallLog log;
  for (const char* entry : entries) log.Append(entry);
  return log;
}

TEST(InstallLogFile, WholeListWithCrLfReplacingAnEarlierLog) {
  testing::ScratchFolder folder;
  folder.WriteFile("App.ilg", std::string(500, 'x') + "\r\nC:\\old\\only-before.txt\r\n");
  const InstallLog log = LogOf({"C:\\App\\a.exe", "C:\\App\\caf\xE9\\b.txt", "C:\\App\\App.ilg"});
  SaveInstallLogFile(folder.Sub("App.ilg"), log);

  const std::string saved = folder.ReadFile("App.ilg");
  EXPECT_EQ(saved, "C:\\App\\a.exe\r\nC:\\App\\caf\xE9\\b.txt\r\nC:\\App\\App.ilg\r\n");
  InstallLog loaded;
  loaded.LoadText(saved);
  EXPECT_EQ(loaded.entries(), log.entries());
}

TEST(InstallLogFile, MissingFolderIsTheCreateError) {
  testing::ScratchFolder folder;
  const std::string path = folder.Sub("gone\\App.ilg");
  try {
    SaveInstallLogFile(path, LogOf({"C:\\App\\a.exe"}));
    FAIL() << "no error";
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()).rfind("Cannot create file \"" + path + "\". ", 0), 0u)
        << error.what();
  }
}

}  // namespace
}  // namespace tidemark
