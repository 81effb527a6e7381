#include "rules/removal_scope.h"

#include <gtest/gtest.h>

#include "tests/native/rules/shift_jis.h"

namespace tidemark {
namespace {

TEST(RemovalScopeTest, OnlyTheInstallFolderAndTheProductsLinks) {
  constexpr EntryKind kOut = EntryKind::kOutside;
  constexpr EntryKind kIn = EntryKind::kInstalled;
  constexpr EntryKind kDesktop = EntryKind::kDesktopLink;
  constexpr EntryKind kGroup = EntryKind::kGroupLink;
  const RemovalScope kScope = {"C:\\Tools\\App", "C:\\Users\\Ann\\Desktop\\",
                               "C:\\ProgramData\\Start Menu\\Programs", "Marrowlight"};
  struct Row {
    std::string entry;
    EntryKind kind;
    RemovalScope scope;
    LeadBytePredicate lead_byte = nullptr;
  };
  const Row kRows[] = {
      // What an installation logs.
      {"C:\\Tools\\App\\Marrowlight.exe", kIn, kScope},
      {"C:\\Tools\\App\\docs\\Manual.pdf", kIn, kScope},
      {"C:\\Tools\\App\\uninstall.exe", kIn, kScope},
      {"C:\\Tools\\App\\Marrowlight.ilg", kIn, kScope},
      {"C:\\Users\\Ann\\Desktop\\Marrowlight.lnk", kDesktop, kScope},
      {"C:\\ProgramData\\Start Menu\\Programs\\Marrowlight\\Marrowlight.lnk", kGroup, kScope},
      // Folders matched as Windows matches them.
      {"c:\\tools\\APP\\docs\\Manual.pdf", kIn, kScope},
      {"C:/Tools/App/docs/Manual.pdf", kIn, kScope},
      {"C:\\Tools\\App\\\\docs\\Manual.pdf", kIn, kScope},
      {"C:\\Tools\\App\\docs\\\\Manual.pdf", kIn, kScope},
      {"C:\\Tools\\App\\x.txt", kIn, {"C:\\Tools\\App\\", "", "", ""}},
      {"C:\\Users\\Ann\\Desktop\\\\Marrowlight.LNK", kDesktop, kScope},
      {"C:\\Users\\Ann\\Desktop\\x.lnk", kDesktop, {"", "C:\\Users\\Ann\\Desktop", "", ""}},
      // Links the shell could not write, logged all the same.
      {"C:\\Users\\Ann\\Desktop\\What?.lnk", kDesktop, kScope},
      {"C:\\ProgramData\\Start Menu\\Programs\\Marrowlight\\a|b.lnk", kGroup, kScope},
      {"C:\\ProgramData\\Start Menu\\Programs\\\\Marrowlight\\Manual.lnk",
       kGroup,
       {"", "", "C:\\ProgramData\\Start Menu\\Programs\\", "Marrowlight"}},
      // Elsewhere: left alone.
      {"C:\\windows\\system32\\victim-sys.dll", kOut, kScope},
      {"C:\\ProgramData\\Other\\keep.txt", kOut, kScope},
      {"C:\\Tools\\App", kOut, kScope},
      {"C:\\Tools\\App\\", kOut, kScope},
      {"C:\\Tools\\Apple\\x.txt", kOut, kScope},
      {"C:\\Tools\\App\\..\\Victim\\x.txt", kOut, kScope},
      {"C:\\Tools\\App\\docs\\..\\..\\x.txt", kOut, kScope},
      {"C:\\uninstall.exe\\..\\Victim3\\*.txt", kOut, kScope},
      {"C:\\Tools\\App\\*.txt", kOut, kScope},
      {"C:\\Tools\\App\\docs\\\\", kOut, kScope},
      {"C:\\Users\\Ann\\Desktop\\nul.lnk", kOut, kScope},
      {"C:\\Tools\\App\\x.txt:stream", kOut, kScope},
      {"C:\\Tools\\App\\nul.txt", kOut, kScope},
      {"C:\\Tools\\App\\trail.", kOut, kScope},
      {"Tools\\App\\x.txt", kOut, kScope},
      {"\\Tools\\App\\x.txt", kOut, kScope},
      {"C:\\Users\\Ann\\Desktop\\notes.txt", kOut, kScope},
      {"C:\\Users\\Ann\\Desktop\\sub\\x.lnk", kOut, kScope},
      {"C:\\Users\\Ann\\Desktop\\.lnk", kOut, kScope},
      {"C:\\Users\\Ann\\Desktop\\..\\x.lnk", kOut, kScope},
      {"C:\\ProgramData\\Start Menu\\Programs\\x.lnk", kOut, kScope},
      {"C:\\ProgramData\\Start Menu\\Programs\\Other\\x.lnk", kOut, kScope},
      {"C:\\ProgramData\\Start Menu\\Programs\\Marrowlight\\x.exe", kOut, kScope},
      {"C:\\ProgramData\\Start Menu\\Programs\\x.lnk",
       kOut,
       {"", "", "C:\\ProgramData\\Start Menu\\Programs", ""}},
      {"C:\\ProgramData\\Start Menu\\x.lnk",
       kOut,
       {"", "", "C:\\ProgramData\\Start Menu\\Programs", ".."}},
      // An uninstaller in a root, or without a folder, owns nothing.
      {"C:\\windows\\x.dll", kOut, {"C:\\", "", "", ""}},
      {"C:\\windows\\x.dll", kOut, {"C:", "", "", ""}},
      {"windows\\x.dll", kOut, {"", "", "", ""}},
      // A network folder's "\\\\" stays two.
      {"\\\\server\\share\\App\\x.txt", kIn, {"\\\\server\\share\\App", "", "", ""}},
      {"\\server\\share\\App\\x.txt", kOut, {"\\\\server\\share\\App", "", "", ""}},
      // Double-byte characters are compared whole: the second byte of 表 is
      // no separator, nor is a letter after a lead byte folded.
      {ShiftJis("C:\\表\\x.txt"), kIn, {ShiftJis("C:\\表"), "", "", ""}, ShiftJisLeadByte},
      {ShiftJis("C:\\表x.txt"), kOut, {ShiftJis("C:\\表"), "", "", ""}, ShiftJisLeadByte},
      {"C:\\\x83"
       "a\\x.txt",
       kOut,
       {"C:\\\x83"
        "A",
        "", "", ""},
       ShiftJisLeadByte},
      {"C:\\\x83"
       "a\\x.txt",
       kIn,
       {"C:\\\x83"
        "a",
        "", "", ""},
       ShiftJisLeadByte},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(row.entry + " below " + row.scope.install_folder);
    EXPECT_EQ(ClassifyEntry(row.entry, row.scope, row.lead_byte), row.kind);
    EXPECT_EQ(MayDelete(row.entry, row.scope, row.lead_byte), row.kind != kOut);
    EXPECT_EQ(MayBeUninstallerPath(row.entry, row.scope, row.lead_byte), row.kind == kIn);
  }
}

// The removal checks the remainder for links, below the scope's folder.
TEST(RemovalScopeTest, PlacesAnEntryBelowItsFolder) {
  const RemovalScope scope = {"C:\\Tools\\App\\", "C:\\Desktop", "C:\\Programs", "Marrowlight"};
  const struct {
    const char* entry;
    const char* folder;
    const char* remainder;
  } kRows[] = {
      {"C:\\Tools\\App\\\\docs\\Manual.pdf", "C:\\Tools\\App", "docs\\Manual.pdf"},
      {"C:\\Desktop\\Marrowlight.lnk", "C:\\Desktop", "Marrowlight.lnk"},
      {"C:\\Programs\\Marrowlight\\Manual.lnk", "C:\\Programs", "Marrowlight\\Manual.lnk"},
      {"C:\\Elsewhere\\x.txt", "", ""},
  };
  for (const auto& row : kRows) {
    const EntryPlace place = PlaceEntry(row.entry, scope);
    EXPECT_EQ(place.folder, row.folder) << row.entry;
    EXPECT_EQ(place.remainder, row.remainder) << row.entry;
  }
}

}  // namespace
}  // namespace tidemark
