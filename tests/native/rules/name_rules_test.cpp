#include <gtest/gtest.h>

#include "rules/path_rules.h"
#include "tests/native/rules/shift_jis.h"

namespace tidemark {
namespace {

bool HighHalfLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }  // 949

TEST(NameRulesTest, DevicesTrailingDotsStreamsAndCharactersInAnyComponent) {
  constexpr NameFault kNone = NameFault::kNone;
  constexpr NameFault kNotBelow = NameFault::kNotBelow;
  constexpr NameFault kNotPlain = NameFault::kNotPlain;
  constexpr NameFault kDevice = NameFault::kDeviceName;
  constexpr NameFault kTrailing = NameFault::kTrailingDotOrBlank;
  struct Row {
    std::string name;
    NameFault fault;
    const char* component = "";  // for a device or a trailing dot or blank
    int code_page = kAnyCodePage;
    LeadBytePredicate lead_byte = nullptr;
  };
  const Row kRows[] = {
      // Devices, in any letter case, with any extension, in any component.
      {"NUL", kDevice, "NUL"},
      {"com1", kDevice, "com1"},
      {"aux.txt", kDevice, "aux.txt"},
      {"docs\\nul.txt", kDevice, "nul.txt"},
      {"docs/Con", kDevice, "Con"},
      {"Prn\\readme.txt", kDevice, "Prn"},
      {"COM0", kDevice, "COM0"},
      {"lpt0.log", kDevice, "lpt0.log"},
      {"LPT9.tar.gz", kDevice, "LPT9.tar.gz"},
      {"CONIN$", kDevice, "CONIN$"},
      {"conout$.txt", kDevice, "conout$.txt"},
      {"Clock$", kDevice, "Clock$"},
      {"NUL .txt", kDevice, "NUL .txt"},
      {"nul ", kDevice, "nul "},
      // Near misses stay names.
      {"COM10", kNone},
      {"COMX", kNone},
      {"NULL", kNone},
      {"CONSOLE.txt", kNone},
      {"aux1", kNone},
      {"xnul", kNone},
      {"con$", kNone},
      {".nul", kNone},
      {"clock", kNone},
      // Superscript digits where the code page has them.
      {"COM\xB9", kDevice, "COM\xB9", 1252},
      {"lpt\xB2.txt", kDevice, "lpt\xB2.txt", 1252},
      {"COM\xB3", kDevice, "COM\xB3", kAnyCodePage},
      {"COM\xB9", kNone, "", 1251},  // a letter there
      {"COM\xB9", kNone, "", 1253},  // a letter there, while B2 and B3 are digits
      {"LPT\xB2", kDevice, "LPT\xB2", 1253},
      {"COM\xA9\xF6", kDevice, "COM\xA9\xF6", 949, HighHalfLeadByte},
      {"COM\xA9\xF6", kNone, "", 936, HighHalfLeadByte},
      {"COM\xC2\xB9", kDevice, "COM\xC2\xB9", 65001},
      {"COM\xC2\xB9", kNone, "", 1252},
      {"COM\xC2\xB9", kDevice, "COM\xC2\xB9", 4242},  // not known: every form
      {"COM\xB9\xB9", kNone, "", 1252},
      // Trailing dots and blanks, which Windows drops.
      {"trail.", kTrailing, "trail."},
      {"trail ", kTrailing, "trail "},
      {"docs.\\a.txt", kTrailing, "docs."},
      {"a\\b\\c..", kTrailing, "c.."},
      {" lead", kNone},
      {"a..b", kNone},
      // Streams, drives and "..": no file of its own below the folder.
      {"x:stream", kNotBelow},
      {"a.txt::$DATA", kNotBelow},
      {"docs\\a:b", kNotBelow},
      {"C:\\x", kNotBelow},
      {"C:x", kNotBelow},
      {"..\\x", kNotBelow},
      {"a\\..\\..\\x", kNotBelow},
      {"a/./b", kNotBelow},
      {"..\\nul", kNotBelow},
      {"a?\\..", kNotBelow},
      {ShiftJis("ソフト") + "\x95", kNotBelow, "", 932, ShiftJisLeadByte},
      // Below the folder, but for the system to create or refuse: empty
      // parts, which Windows reads as one separator, and forbidden
      // characters. A device or a trailing dot is found first.
      {"", kNotPlain},
      {"\\x", kNotPlain},
      {"\\\\server\\x", kNotPlain},
      {"a\\\\b", kNotPlain},
      {"a\\", kNotPlain},
      {"a?b", kNotPlain},
      {"a|b<c>\"d*", kNotPlain},
      {"tab\there", kNotPlain},
      {"a?\\nul", kDevice, "nul"},
      {"a*\\b.", kTrailing, "b."},
      // The second byte of a double-byte character separates nothing.
      {ShiftJis("表con"), kNone, "", 932, ShiftJisLeadByte},
      {ShiftJis("表con"), kDevice, "con", 1252},
      {ShiftJis("ソtrail."), kTrailing, "\x83\\trail.", 932, ShiftJisLeadByte},
  };
  for (const Row& row : kRows) {
    SCOPED_TRACE(::testing::PrintToString(row.name) + " in code page " +
                 std::to_string(row.code_page));
    const NameCheck check = CheckRelativeName(row.name, row.lead_byte, row.code_page);
    EXPECT_EQ(check.fault, row.fault);
    EXPECT_EQ(check.component, row.component);
    EXPECT_EQ(IsSafeRelativeName(row.name, row.lead_byte, row.code_page), row.fault == kNone);
    EXPECT_EQ(StaysBelowFolder(row.name, row.lead_byte, row.code_page),
              row.fault == kNone || row.fault == kNotPlain);
  }
}

}  // namespace
}  // namespace tidemark
