#include "container/control_info.h"

#include <gtest/gtest.h>

#include <string>

#include "container/errors.h"

namespace tidemark {
namespace {

ControlInfo InfoOf(std::initializer_list<std::string> lines) {
  ControlInfo info;
  for (const std::string& line : lines) info.AddLine(line);
  return info;
}

TEST(ControlInfoLookup, FollowsTheContainerRules) {
  const ControlInfo info = InfoOf({
      "[Settings]",
      "appname=Marrowlight",  // any letter case answers
      "Icon=2260",
      "ICON=999",                     // the first definition wins
      "Splash =13267",                // the blank belongs to the name
      "f1=<a=b.txt><12>",             // only the first "=" separates
      "AppCompany=  by Brackwater ",  // nothing is trimmed
      "ShortcutName2=",
      "no key on this line",
  });
  EXPECT_EQ(info.Value("AppName"), "Marrowlight");
  EXPECT_EQ(info.Value("icon"), "2260");
  EXPECT_EQ(info.Value("Splash"), "");
  EXPECT_EQ(info.Value("Splash "), "13267");
  EXPECT_EQ(info.Value("f1"), "<a=b.txt><12>");
  EXPECT_EQ(info.Value("AppCompany"), "  by Brackwater ");
  EXPECT_EQ(info.Value("ShortcutName2"), "");
  EXPECT_EQ(info.Value("Missing"), "");
  EXPECT_EQ(info.Value("[Settings]"), "");
  EXPECT_EQ(info.Value(""), "");
}

TEST(ControlInfoLookup, EmptyNameMatchesALineStartingWithEquals) {
  const ControlInfo info = InfoOf({"=orphan", "Key=value"});
  EXPECT_EQ(info.Value(""), "orphan");
  EXPECT_EQ(info.Value("Key"), "value");
}

TEST(ControlInfoLookup, CaseFoldingIsAsciiOnly) {
  // 0xC9 and 0xE9 are the two cases of one letter in Latin-1, but names
  // compare without regard to case for A to Z only.
  const ControlInfo info = InfoOf({"\xC9tat=1"});
  EXPECT_EQ(info.Value("\xC9TAT"), "1");
  EXPECT_EQ(info.Value("\xE9tat"), "");
}

// Names ordered for the search: prefixes of each other, bytes above 0x7F,
// letters on both sides of the punctuation between "Z" and "a".
TEST(ControlInfoLookup, NamesCloseInOrderAreToldApart) {
  const ControlInfo info = InfoOf({"ab=2", "a=1", "a\xC9=3", "_x=4", "Zx=5", "a_=6", "[=7", "A=0"});
  EXPECT_EQ(info.Value("A"), "1");
  EXPECT_EQ(info.Value("AB"), "2");
  EXPECT_EQ(info.Value("a\xC9"), "3");
  EXPECT_EQ(info.Value("_X"), "4");
  EXPECT_EQ(info.Value("zX"), "5");
  EXPECT_EQ(info.Value("A_"), "6");
  EXPECT_EQ(info.Value("["), "7");
  EXPECT_EQ(info.Value("a\xE9"), "");
  EXPECT_EQ(info.Value("abc"), "");
  EXPECT_EQ(info.Value("\x7F"), "");
}

// Lookups between changes see the lines as they are now: the parser adds
// lines and lets the last one grow, a copy answers for its own lines.
TEST(ControlInfoLookup, AnswersForTheLinesAsTheyAreNow) {
  ControlInfo info = InfoOf({"[Settings]", "Icon=1"});
  EXPECT_EQ(info.Value("icon"), "1");
  EXPECT_EQ(info.Value("Splash"), "");
  info.AddLine("Splash");
  EXPECT_EQ(info.Value("Splash"), "");
  info.lines().back() += "=77";  // the last line grows into a definition
  EXPECT_EQ(info.Value("Splash"), "77");
  std::string& last = info.lines().back();
  last += "0";
  EXPECT_EQ(info.Value("Splash"), "770");
  info.lines().front() = "Icon=0";  // an earlier line now defines it first
  EXPECT_EQ(info.Value("Icon"), "0");
  const ControlInfo copy = info;
  info.Clear();
  EXPECT_EQ(info.Value("Icon"), "");
  EXPECT_EQ(copy.Value("Icon"), "0");
  EXPECT_EQ(copy.Value("splash"), "770");
}

// Products of many files are looked up file by file.
TEST(ControlInfoLookup, ManyFileLinesEachFoundByItsKey) {
  ControlInfo info;
  for (int i = 1; i <= 20000; ++i) {
    info.AddLine("f" + std::to_string(i) + "=<" + std::to_string(i) + ".txt><" + std::to_string(i) +
                 ">");
  }
  for (int i = 1; i <= 20000; ++i) {
    ASSERT_EQ(info.Value("F" + std::to_string(i)),
              "<" + std::to_string(i) + ".txt><" + std::to_string(i) + ">");
  }
  EXPECT_EQ(info.Value("f20001"), "");
}

TEST(ControlInfoLookup, IntValueConvertsOrRaisesWithTheValue) {
  const ControlInfo info = InfoOf({"InfoAbout=253", "Bad=12a"});
  EXPECT_EQ(info.IntValue("infoabout"), 253);
  try {
    info.IntValue("Bad");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "'12a' is not a valid integer value");
  }
  try {
    info.IntValue("InfoInstall");
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
}

TEST(StrToIntTest, AcceptsSignedDecimal32Bit) {
  EXPECT_EQ(StrToInt("0"), 0);
  EXPECT_EQ(StrToInt("-0"), 0);
  EXPECT_EQ(StrToInt("+17"), 17);
  EXPECT_EQ(StrToInt("000123"), 123);
  EXPECT_EQ(StrToInt("2147483647"), 2147483647);
  EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
  EXPECT_EQ(StrToInt("-42"), -42);
}

TEST(StrToIntTest, RejectsEverythingElseNamingTheText) {
  for (const std::string& text : std::initializer_list<std::string>{
           "", "+", "-", " 1", "1 ", "1.0", "0x10", "$10", "1e3", "2147483648", "-2147483649",
           "99999999999999999999", "--1", "+-1", "12\t"}) {
    try {
      StrToInt(text);
      ADD_FAILURE() << "accepted '" << text << "'";
    } catch (const Error& e) {
      EXPECT_EQ(std::string(e.what()), "'" + text + "' is not a valid integer value");
    }
  }
}

}  // namespace
}  // namespace tidemark
