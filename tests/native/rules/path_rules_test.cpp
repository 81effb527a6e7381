#include "rules/path_rules.h"

#include <gtest/gtest.h>

#include "rules/installed_files.h"
#include "tests/native/rules/shift_jis.h"

namespace tidemark {
namespace {

TEST(FolderPartTest, KeepsEverythingUpToTheLastSeparator) {
  EXPECT_EQ(FolderPart("C:\\Program Files\\App\\app.exe"), "C:\\Program Files\\App\\");
  EXPECT_EQ(FolderPart("C:app.exe"), "C:");
  EXPECT_EQ(FolderPart("C:\\"), "C:\\");
  EXPECT_EQ(FolderPart("a\\b:c"), "a\\b:");
  EXPECT_EQ(FolderPart("app.exe"), "");
  EXPECT_EQ(FolderPart(""), "");
  EXPECT_EQ(FolderPart("a/b"), "") << "only \\ and : separate";
  EXPECT_EQ(FolderPart("C:\\Dir\\\\x"), "C:\\Dir\\\\") << "never normalised";
}

TEST(FolderPartTest, WithoutSeparatorDropsTrailingBackslashes) {
  EXPECT_EQ(FolderWithoutSeparator("C:\\App\\uninstall.exe"), "C:\\App");
  EXPECT_EQ(FolderWithoutSeparator("C:\\uninstall.exe"), "C:");
  EXPECT_EQ(FolderWithoutSeparator("C:uninstall.exe"), "C:");
  EXPECT_EQ(FolderWithoutSeparator("uninstall.exe"), "");
  EXPECT_EQ(FolderWithoutSeparator("C:\\App\\\\uninstall.exe"), "C:\\App");
  EXPECT_EQ(FolderWithoutSeparator("\\uninstall.exe"), "");
}

TEST(AbsolutePathTest, DriveRootsAndNetworkPaths) {
  for (const char* path : {"C:\\", "c:\\App", "Z:\\a\\b", "\\\\server\\share", "\\\\"}) {
    EXPECT_TRUE(IsAbsolutePath(path)) << path;
  }
  for (const char* path : {"", "C:", "C:App", "\\App", "App\\x", "1:\\x", ":\\x"}) {
    EXPECT_FALSE(IsAbsolutePath(path)) << path;
  }
}

TEST(AbsolutePathTest, FolderBelowRootNamesMoreThanARoot) {
  for (const char* folder : {"C:\\App", "C:\\a\\b", "\\\\server\\share", "\\\\s"}) {
    EXPECT_TRUE(IsFolderBelowRoot(folder)) << folder;
  }
  for (const char* folder : {"", "C:", "C:\\", "C:\\App\\", "C:App", "App", "\\App", "\\\\"}) {
    EXPECT_FALSE(IsFolderBelowRoot(folder)) << folder;
  }
}

TEST(SeparatorTest, FirstBackslashAndTrailingBackslash) {
  EXPECT_EQ(FirstBackslash("D:\\Apps\\"), 2u);
  EXPECT_EQ(FirstBackslash("D:"), std::string_view::npos);
  EXPECT_EQ(FirstBackslash(kTableChar), 1u) << "read byte by byte";
  EXPECT_TRUE(EndsWithBackslash("C:\\"));
  EXPECT_FALSE(EndsWithBackslash("C:"));
  EXPECT_FALSE(EndsWithBackslash(""));
  EXPECT_TRUE(EndsWithBackslash("C:\\" + kTableChar)) << "read byte by byte";
}

TEST(SeparatorTest, EmptyComponents) {
  for (const char* path : {"", "\\a", "a\\", "a\\\\b", "\\"}) {
    EXPECT_TRUE(HasEmptyComponent(path)) << path;
  }
  for (const char* path : {"a", "a\\b", "SOFTWARE\\x y\\z"}) {
    EXPECT_FALSE(HasEmptyComponent(path)) << path;
  }
}

TEST(JoinPathTest, ConcatenatesWithOneBackslash) {
  EXPECT_EQ(JoinPath("C:\\App", "a\\b.txt"), "C:\\App\\a\\b.txt");
  EXPECT_EQ(JoinPath("C:\\App\\", "x"), "C:\\App\\\\x");
  EXPECT_EQ(JoinPath("", "x"), "\\x");
  EXPECT_EQ(JoinPath("C:\\App", ""), "C:\\App\\");
}

TEST(IsSafeRelativeNameTest, AcceptsPlainRelativePaths) {
  for (const char* name : {"app.exe", "a\\b.txt", "docs/readme.txt", "Read me.txt", ".profile",
                           "a..b", "sub\\..hidden", "caf\xE9.txt"}) {
    EXPECT_TRUE(IsSafeRelativeName(name)) << name;
  }
}

TEST(IsSafeRelativeNameTest, RejectsNamesThatLeaveTheFolder) {
  for (const char* name : {"",
                           "\\Windows\\x.dll",
                           "/etc/x",
                           "\\\\server\\share\\x",
                           "C:\\x",
                           "C:x",
                           "a\\C:\\x",
                           "x:stream",
                           "..",
                           "..\\x",
                           "a\\..\\..\\x",
                           "a/../x",
                           ".",
                           ".\\x",
                           "a\\.",
                           "...",
                           ". .",
                           "a\\\\b",
                           "a\\",
                           "a/"}) {
    EXPECT_FALSE(IsSafeRelativeName(name)) << name;
  }
}

TEST(IsSafeRelativeNameTest, RejectsCharactersWindowsForbids) {
  for (const char* name : {"a<b", "a>b", "a\"b", "a|b", "a?b", "a*b", "a\tb", "a\nb", "a\rb"}) {
    EXPECT_FALSE(IsSafeRelativeName(name)) << name;
  }
  EXPECT_FALSE(IsSafeRelativeName(std::string("a\0b", 3)));
}

TEST(IsSafeRelativeNameTest, ReadsDoubleByteCharactersWhole) {
  // 0x95 0x7C: a character whose trail byte is "|".
  const std::string pipe_trail = "\x95\x7C.txt";
  EXPECT_FALSE(IsSafeRelativeName(pipe_trail));
  EXPECT_TRUE(IsSafeRelativeName(pipe_trail, ShiftJisLeadByte));
  EXPECT_FALSE(IsSafeRelativeName("..\\" + kTableChar, ShiftJisLeadByte));
}

TEST(IsSafeFileNameTest, OnePlainNameOnly) {
  for (const char* name : {"Marrowlight", "Marrowlight 2.0", "caf\xE9", ".profile", "a..b"}) {
    EXPECT_TRUE(IsSafeFileName(name)) << name;
    EXPECT_TRUE(StaysInFolder(name)) << name;
  }
  // Each of these would put a program group, a log, a key or a link elsewhere.
  for (const char* name : {".", "..", "..\\x", "../x", "x\\..", "a\\b", "a/b", "C:", "C:x", "x:y",
                           "\\x", "x\\", " . ", "nul.lnk"}) {
    EXPECT_FALSE(IsSafeFileName(name)) << name;
    EXPECT_FALSE(StaysInFolder(name)) << name;
  }
  // These stay in the folder; the system refuses them.
  for (const char* name : {"", "a|b", "a?b", "a\tb"}) {
    EXPECT_FALSE(IsSafeFileName(name)) << name;
    EXPECT_TRUE(StaysInFolder(name)) << name;
  }
}

TEST(IsAcceptableAppNameTest, APlainNameOrNone) {
  EXPECT_TRUE(IsAcceptableAppName("Marrowlight"));
  EXPECT_TRUE(IsAcceptableAppName("")) << "no entry and no group of its own, as before";
  EXPECT_TRUE(IsAcceptableAppName(kTableChar, ShiftJisLeadByte));
  for (const char* name : {"..\\Marrowlight", "..", ".", "C:Marrowlight", "a\\b", "a/b"}) {
    EXPECT_FALSE(IsAcceptableAppName(name)) << name;
  }
}

TEST(IsSafeFileNameTest, ReadByteByByteATrailByteSeparates) {
  EXPECT_FALSE(IsSafeFileName(kTableChar)) << "read byte by byte, it holds a backslash";
}

TEST(PathHelpersTest, SecondBytesEqualToBackslashAreNoSeparators) {
  constexpr size_t kNone = std::string_view::npos;
  // Each path in Shift-JIS, where 表, ソ and 能 end in the byte of "": at the
  // start, in the middle and at the end of a component, at the end of the
  // whole path, before a trailing "", and a character cut short.
  struct OnePath {
    const char* path;
    size_t last_separator;
    size_t first_backslash;
    bool ends_with_backslash;
    const char* folder_part;
    const char* without_trailing_backslashes;
    const char* folder_without_separator;
    bool folder_below_root;
    bool empty_component;
    bool safe_relative_name;
    bool safe_file_name;
  };
  const OnePath kPaths[] = {
      {"表x\\a", 3, 3, false, "表x\\", "表x\\a", "表x", false, false, true, false},
      {"C:\\a表b\\c", 7, 2, false, "C:\\a表b\\", "C:\\a表b\\c", "C:\\a表b", true, false, false,
       false},
      {"C:\\ソフト表\\能.exe", 11, 2, false, "C:\\ソフト表\\", "C:\\ソフト表\\能.exe",
       "C:\\ソフト表", true, false, false, false},
      {"C:\\ソフト表", 2, 2, false, "C:\\", "C:\\ソフト表", "C:", true, false, false, false},
      {"C:\\ソフト表\\", 11, 2, true, "C:\\ソフト表\\", "C:\\ソフト表", "C:\\ソフト表", false, true,
       false, false},
      {"C:\\ソフト表\\\\", 12, 2, true, "C:\\ソフト表\\\\", "C:\\ソフト表", "C:\\ソフト表", false,
       true, false, false},
      {"ソフト表\\能", 8, 8, false, "ソフト表\\", "ソフト表\\能", "ソフト表", false, false, true,
       false},
      {"能", kNone, kNone, false, "", "能", "", false, false, true, true},
      {"ソフト\x95", kNone, kNone, false, "", "ソフト\x95", "", false, false, false, false},
  };
  for (const OnePath& row : kPaths) {
    const std::string path = ShiftJis(row.path);
    SCOPED_TRACE(row.path);
    EXPECT_EQ(LastSeparator(path, ShiftJisLeadByte), row.last_separator);
    EXPECT_EQ(FirstBackslash(path, ShiftJisLeadByte), row.first_backslash);
    EXPECT_EQ(EndsWithBackslash(path, ShiftJisLeadByte), row.ends_with_backslash);
    EXPECT_EQ(FolderPart(path, ShiftJisLeadByte), ShiftJis(row.folder_part));
    EXPECT_EQ(WithoutTrailingBackslashes(path, ShiftJisLeadByte),
              ShiftJis(row.without_trailing_backslashes));
    EXPECT_EQ(FolderWithoutSeparator(path, ShiftJisLeadByte),
              ShiftJis(row.folder_without_separator));
    EXPECT_EQ(IsFolderBelowRoot(path, ShiftJisLeadByte), row.folder_below_root);
    EXPECT_EQ(HasEmptyComponent(path, ShiftJisLeadByte), row.empty_component);
    EXPECT_EQ(IsSafeRelativeName(path, ShiftJisLeadByte), row.safe_relative_name);
    EXPECT_EQ(IsSafeFileName(path, ShiftJisLeadByte), row.safe_file_name);
  }

  // The helpers of two paths.
  EXPECT_EQ(JoinPath(ShiftJis("C:\\ソフト表"), ShiftJis("能")), ShiftJis("C:\\ソフト表\\能"));
  struct TwoPaths {
    const char* path;
    const char* other;
    bool at_or_below;  // IsAtOrBelow(path, other)
    bool contains;     // ContainsText(path, other)
  };
  const TwoPaths kPairs[] = {
      {"C:\\ソフト表\\能", "C:\\ソフト表", true, true},
      {"C:\\ソフト表", "C:\\ソフト表", true, true},
      {"C:\\ソフト表", "C:\\ソフト", false, true},
      {"C:\\ソフト表\\能", "C:\\ソフト\x95", false, true},
      {"C:\\表\\uninstall.exe", "uninstall.exe", false, true},
      {"C:\\表\\ブninstall.exe", "uninstall.exe", false, false},
      {"C:\\表\\能", "\\", false, true},
      {"表能", "\\", false, false},
  };
  for (const TwoPaths& row : kPairs) {
    SCOPED_TRACE(std::string(row.path) + " / " + row.other);
    const std::string path = ShiftJis(row.path);
    const std::string other = ShiftJis(row.other);
    EXPECT_EQ(IsAtOrBelow(path, other, ShiftJisLeadByte), row.at_or_below);
    EXPECT_EQ(ContainsText(path, other, ShiftJisLeadByte), row.contains);
  }
}

}  // namespace
}  // namespace tidemark
