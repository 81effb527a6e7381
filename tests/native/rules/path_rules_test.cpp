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

TEST(FolderPartTest, IgnoresTrailBytesOfDoubleByteCharactersOnlyWhenAsked) {
  const std::string path = "C:\\" + kTableChar + "x";
  EXPECT_EQ(FolderPart(path), "C:\\" + kTableChar);
  EXPECT_EQ(FolderPart(path, ShiftJisLeadByte), "C:\\");
  EXPECT_EQ(FolderPart(kTableChar, ShiftJisLeadByte), "");
  const std::string lone_lead = "C:\\d\\\x95";
  EXPECT_EQ(FolderPart(lone_lead, ShiftJisLeadByte), "C:\\d\\");
}

TEST(FolderPartTest, WithoutSeparatorDropsTrailingBackslashes) {
  EXPECT_EQ(FolderWithoutSeparator("C:\\App\\uninstall.exe"), "C:\\App");
  EXPECT_EQ(FolderWithoutSeparator("C:\\uninstall.exe"), "C:");
  EXPECT_EQ(FolderWithoutSeparator("C:uninstall.exe"), "C:");
  EXPECT_EQ(FolderWithoutSeparator("uninstall.exe"), "");
  EXPECT_EQ(FolderWithoutSeparator("C:\\App\\\\uninstall.exe"), "C:\\App");
  EXPECT_EQ(FolderWithoutSeparator("\\uninstall.exe"), "");
  EXPECT_EQ(FolderWithoutSeparator("C:\\" + kTableChar + "\\x", ShiftJisLeadByte),
            "C:\\" + kTableChar);
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

TEST(SeparatorTest, FirstBackslashAndTrailingBackslashSkipTrailBytes) {
  EXPECT_EQ(FirstBackslash("D:\\Apps\\"), 2u);
  EXPECT_EQ(FirstBackslash("D:"), std::string_view::npos);
  EXPECT_EQ(FirstBackslash(kTableChar + "\\", ShiftJisLeadByte), 2u);
  EXPECT_EQ(FirstBackslash(kTableChar), 1u);
  EXPECT_TRUE(EndsWithBackslash("C:\\"));
  EXPECT_FALSE(EndsWithBackslash("C:"));
  EXPECT_FALSE(EndsWithBackslash(""));
  EXPECT_TRUE(EndsWithBackslash("C:\\" + kTableChar));
  EXPECT_FALSE(EndsWithBackslash("C:\\" + kTableChar, ShiftJisLeadByte));
  EXPECT_TRUE(EndsWithBackslash("C:\\" + kTableChar + "\\", ShiftJisLeadByte));
}

TEST(JoinPathTest, ConcatenatesWithOneBackslash) {
  EXPECT_EQ(JoinPath("C:\\App", "a\\b.txt"), "C:\\App\\a\\b.txt");
  EXPECT_EQ(JoinPath("C:\\App\\", "x"), "C:\\App\\\\x");
  EXPECT_EQ(JoinPath("", "x"), "\\x");
  EXPECT_EQ(JoinPath("C:\\App", ""), "C:\\App\\");
}

TEST(IsSafeRelativeNameTest, AcceptsPlainRelativePaths) {
  for (const char* name : {"app.exe", "a\\b.txt", "docs/readme.txt", "Read me.txt", ".profile",
                           "a..b", "x.", "sub\\..hidden", "caf\xE9.txt"}) {
    EXPECT_TRUE(IsSafeRelativeName(name)) << name;
  }
}

TEST(IsSafeRelativeNameTest, RejectsNamesThatLeaveTheFolder) {
  for (const char* name : {"", "\\Windows\\x.dll", "/etc/x", "\\\\server\\share\\x", "C:\\x",
                           "C:x", "a\\C:\\x", "x:stream", "..", "..\\x", "a\\..\\..\\x",
                           "a/../x", ".", ".\\x", "a\\.", "...", ". .", "a\\\\b", "a\\",
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
  const std::string in_folder = "a\\" + kTableChar + "\\b.txt";
  EXPECT_TRUE(IsSafeRelativeName(in_folder, ShiftJisLeadByte));
  EXPECT_FALSE(IsSafeRelativeName("a\\\x95", ShiftJisLeadByte)) << "cut double-byte character";
  EXPECT_FALSE(IsSafeRelativeName("..\\" + kTableChar, ShiftJisLeadByte));
}

TEST(IsSafeFileNameTest, OnePlainNameOnly) {
  for (const char* name : {"Marrowlight", "Marrowlight 2.0", "caf\xE9", ".profile", "a..b"}) {
    EXPECT_TRUE(IsSafeFileName(name)) << name;
  }
  // Each of these would put a program group, a log or a key elsewhere.
  for (const char* name : {"", ".", "..", "..\\x", "../x", "x\\..", "a\\b", "a/b", "C:", "C:x",
                           "x:y", "\\x", "x\\", "a|b", "a?b", "a\tb", " . "}) {
    EXPECT_FALSE(IsSafeFileName(name)) << name;
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

TEST(IsSafeFileNameTest, ReadsDoubleByteCharactersWhole) {
  EXPECT_FALSE(IsSafeFileName(kTableChar)) << "read byte by byte, it holds a backslash";
  EXPECT_TRUE(IsSafeFileName(kTableChar + "App", ShiftJisLeadByte));
  EXPECT_FALSE(IsSafeFileName(kTableChar + "\\App", ShiftJisLeadByte));
  EXPECT_FALSE(IsSafeFileName("App\x95", ShiftJisLeadByte)) << "cut double-byte character";
}

}  // namespace
}  // namespace tidemark
