// Vendors write UTF-8; the installer reads its code page. Names and values
// are converted on the way in and back again when an installer is read.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sstream>

#include "container/errors.h"
#include "packer/cli/inspect_commands.h"
#include "packer/cli/pack.h"
#include "packer/product/code_page.h"
#include "packer/product/install_names.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

std::string Message(const std::function<void()>& action) {
  try {
    action();
  } catch (const Error& error) {
    return error.what();
  }
  return "";
}

TEST(CodePageTest, EachCodePageConvertsBothWays) {
  const struct {
    int code_page;
    const char* utf8;
    const char* bytes;
  } cases[] = {
      {1252, "Café Noir", "Caf\xE9 Noir"},
      {1250, "Łódź", "\xA3\xF3\x64\x9F"},
      {1251, "Привет", "\xCF\xF0\xE8\xE2\xE5\xF2"},
      {1253, "Ωμέγα", "\xD9\xEC\xDD\xE3\xE1"},
      {874, "ภาษา", "\xC0\xD2\xC9\xD2"},
      {932, "ソフト表", "\x83\x5C\x83\x74\x83\x67\x95\x5C"},
      {936, "中文", "\xD6\xD0\xCE\xC4"},
      {949, "한국", "\xC7\xD1\xB1\xB9"},
      {950, "中文", "\xA4\xA4\xA4\xE5"},
  };
  for (const auto& text : cases) {
    const CodePage code_page(text.code_page);
    EXPECT_EQ(code_page.FromUtf8(text.utf8), text.bytes) << text.code_page;
    EXPECT_EQ(code_page.ToUtf8(text.bytes), text.utf8) << text.code_page;
    EXPECT_EQ(code_page.lead_byte() != nullptr, text.code_page >= 932 && text.code_page <= 950);
  }
  const CodePage western(1252);
  EXPECT_NE(Message([&] { western.FromUtf8("snow \xE2\x98\x83"); }).find("U+2603"),
            std::string::npos);
  EXPECT_NE(Message([&] { western.FromUtf8("Caf\xE9"); }).find("not UTF-8"), std::string::npos);
  EXPECT_NE(Message([] { CodePage unknown(437); }).find("437"), std::string::npos);
  EXPECT_EQ(CodePage(932).ToUtf8("ok\x95"), "ok\\x95");  // a lone lead byte at the end
}

TEST(CodePageTest, NameChecksKeepDoubleByteCharactersWhole) {
  const LeadBytePredicate shift_jis = CodePage(932).lead_byte();
  for (const char* sound : {"\x95\x5C", "\x95\x5C\\x.txt", "a\\\x83\x5C\x95\x5C", "\x83\x7C.txt"}) {
    EXPECT_EQ(FileNameFault(sound, shift_jis), "") << sound;
  }
  for (const char* broken : {"\x95", "a\\\x95", "x.txt\\\x83"}) {
    EXPECT_NE(FileNameFault(broken, shift_jis), "") << broken;
  }
}

class ProductCodePageTest : public ::testing::Test {
 protected:
  std::string Pack(int code_page) {
    PackOptions options;
    options.stub_path = example_.stub();
    options.description_path = example_.description();
    options.output_path = folder_.File("setup.exe");
    options.code_page = code_page;
    PackInstaller(options);
    return options.output_path;
  }

  // The example with these lines in front, a byte-order mark before them.
  void WriteDescription(const std::vector<std::string>& lines) {
    std::vector<std::string> all = lines;
    for (const std::string& line : WorkedExample::DescriptionLines()) {
      if (line.rfind("AppName=", 0) != 0 && line.rfind("TargetFolder=", 0) != 0)
        all.push_back(line);
    }
    all[0] = "\xEF\xBB\xBF" + all[0];
    example_.WriteDescription(all);
  }

  void AddFile(const std::string& relative) {
    std::filesystem::create_directories(
        std::filesystem::path(example_.files() + "/" + relative).parent_path());
    WriteFile(example_.files() + "/" + relative, ToBytes("content of " + relative));
  }

  TempFolder folder_;
  WorkedExample example_{folder_};
};

TEST_F(ProductCodePageTest, WesternNamesGoInAsCp1252AndComeBackAsUtf8) {
  WriteDescription({"AppName \t=  Café Noir  ", "TargetFolder= %ProgramFiles%\\Café Noir"});
  AddFile("docs/Crème brûlée.txt");
  const Bytes installer = ReadWholeFile(Pack(1252));
  const std::string bytes(installer.begin(), installer.end());
  for (const char* line :
       {"\r\nAppName=Caf\xE9 Noir\r\n", "\r\nTargetFolder=%ProgramFiles%\\Caf\xE9 Noir\r\n",
        "=<docs\\Cr\xE8me br\xFBl\xE9"
        "e.txt><",
        "\r\nTidemarkCodePage=1252\r\n"}) {
    EXPECT_NE(bytes.find(line), std::string::npos) << line;
  }
  std::ostringstream listing;
  ListInstaller(folder_.File("setup.exe"), listing);
  EXPECT_NE(listing.str().find("  AppName=Café Noir\n"), std::string::npos) << listing.str();
  std::ostringstream extracted;
  ExtractInstaller(folder_.File("setup.exe"), folder_.File("out"), false, extracted);
  EXPECT_EQ(ReadWholeFile(folder_.File("out/docs/Crème brûlée.txt")),
            ToBytes("content of docs/Crème brûlée.txt"));
}

TEST_F(ProductCodePageTest, WhatTheCodePageCannotHoldIsRefusedByName) {
  WriteDescription(
      {"AppName=Snow \xE2\x98\x83", "TargetFolder=%ProgramFiles%\\Snow", "AppCompany=by Caf\xE9"});
  AddFile("docs/\xE2\x98\x83.txt");
  const std::string message = Message([&] { Pack(1252); });
  for (const char* part : {"line 1: key AppName", "U+2603", "line 3: the line is not UTF-8",
                           "file \"docs\\\xE2\x98\x83.txt\""}) {
    EXPECT_NE(message.find(part), std::string::npos) << part << "\n" << message;
  }
}

TEST_F(ProductCodePageTest, ShiftJisNamesEndingInA5CTrailByteRoundTrip) {
  // 表 and 能 end in the byte "\"; ア and ヂ differ only in a trail byte
  // that ASCII case folding would take for a letter.
  WriteDescription({"AppName=ソフト表", "TargetFolder=%ProgramFiles%\\ソフト表"});
  for (const char* name : {"ソフト表/能.txt", "ア.txt", "ヂ.txt"}) AddFile(name);
  Pack(932);
  std::ostringstream extracted;
  ExtractInstaller(folder_.File("setup.exe"), folder_.File("out"), false, extracted);
  EXPECT_EQ(ReadWholeFile(folder_.File("out/ソフト表/能.txt")),
            ToBytes("content of ソフト表/能.txt"));
  EXPECT_TRUE(std::filesystem::exists(folder_.File("out/ヂ.txt")));
  const Bytes installer = ReadWholeFile(folder_.File("setup.exe"));
  EXPECT_NE(std::string(installer.begin(), installer.end())
                .find("=<\x83\x5C\x83\x74\x83\x67\x95\x5C\\\x94\x5C.txt><"),
            std::string::npos);
}

}  // namespace
}  // namespace tidemark::test
