#include "rules/install_log.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tidemark {
namespace {

using Entries = std::vector<std::string>;

Entries Load(const std::string& bytes) {
  InstallLog log;
  log.Append("stale");
  log.LoadText(bytes);
  return log.entries();
}

TEST(InstallLogTest, KeepsEntriesInAppendOrderWithDuplicates) {
  InstallLog log;
  EXPECT_TRUE(log.empty());
  log.Append("C:\\App\\b.txt");
  log.Append("C:\\App\\a.txt");
  log.Append("C:\\App\\b.txt");
  ASSERT_EQ(log.size(), 3u);
  EXPECT_EQ(log[0], "C:\\App\\b.txt");
  EXPECT_EQ(log[1], "C:\\App\\a.txt");
  EXPECT_EQ(log[2], "C:\\App\\b.txt");
}

TEST(InstallLogTest, SavesEveryEntryWithCrLf) {
  InstallLog log;
  EXPECT_EQ(log.SaveText(), "");
  log.Append("C:\\App\\a.txt");
  log.Append("");
  log.Append(" C:\\App\\\\caf\xE9 ");
  EXPECT_EQ(log.SaveText(), "C:\\App\\a.txt\r\n\r\n C:\\App\\\\caf\xE9 \r\n");
}

TEST(InstallLogTest, SavedTextLoadsBackUnchanged) {
  InstallLog saved;
  for (const char* entry : {"C:\\App\\a\\b.txt", "C:\\App\\uninstall.exe", "C:\\App\\App.ilg",
                            "C:\\Users\\Public\\Desktop\\App.lnk", "", "x\xE9"}) {
    saved.Append(entry);
  }
  InstallLog loaded;
  loaded.LoadText(saved.SaveText());
  EXPECT_EQ(loaded.entries(), saved.entries());
}

TEST(InstallLogTest, EveryKindOfLineEndEndsALine) {
  EXPECT_EQ(Load("a\r\nb\r\n"), (Entries{"a", "b"}));
  EXPECT_EQ(Load("a\rb\r"), (Entries{"a", "b"}));
  EXPECT_EQ(Load("a\nb\n"), (Entries{"a", "b"}));
  EXPECT_EQ(Load("a\n\rb"), (Entries{"a", "", "b"})) << "LF CR is two line ends";
  EXPECT_EQ(Load("a\r\r\nb"), (Entries{"a", "", "b"}));
}

TEST(InstallLogTest, LastLineAndEmptyLines) {
  EXPECT_EQ(Load("a\r\nb"), (Entries{"a", "b"}));
  EXPECT_EQ(Load("a\r\n\r\nb\r\n"), (Entries{"a", "", "b"}));
  EXPECT_EQ(Load("\r\n"), (Entries{""}));
  EXPECT_EQ(Load("\r\n\r\n"), (Entries{"", ""}));
  EXPECT_EQ(Load(""), Entries{});
  EXPECT_EQ(Load("  a \t\r\n"), (Entries{"  a \t"})) << "entries are not trimmed";
}

TEST(InstallLogTest, NulByteEndsTheText) {
  EXPECT_EQ(Load(std::string("a\r\nb\0c\r\nd", 9)), (Entries{"a", "b"}));
  EXPECT_EQ(Load(std::string("a\r\n\0b", 5)), (Entries{"a"}));
  EXPECT_EQ(Load(std::string("\0a", 2)), Entries{});
}

TEST(InstallLogTest, LoadsFromBytes) {
  const std::vector<uint8_t> bytes = {'a', '\r', '\n', 0xE9, '\n'};
  InstallLog log;
  log.LoadText(bytes);
  EXPECT_EQ(log.entries(), (Entries{"a", "\xE9"}));
}

}  // namespace
}  // namespace tidemark
