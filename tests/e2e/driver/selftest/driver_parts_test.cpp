// The driver's parts: the case language, the PNG writer, the control name
// table and the file edits that make damaged installers.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "resources/control_ids.h"
#include "tests/e2e/driver/case_runner.h"
#include "tests/e2e/driver/control_names.h"
#include "tests/e2e/driver/file_edits.h"
#include "tests/e2e/driver/png_writer.h"
#include "tests/e2e/driver/script.h"

namespace tidemark::e2e {
namespace {

using Words = std::vector<std::string>;

TEST(CaseLanguage, SplitsWordsAndQuotedTexts) {
  EXPECT_EQ(SplitWords("  click   btnShowLicense "), (Words{"click", "btnShowLicense"}));
  EXPECT_EQ(SplitWords("expect-text labTitle \"Marrowlight\""),
            (Words{"expect-text", "labTitle", "Marrowlight"}));
  EXPECT_EQ(SplitWords("x \"two  blanks\" \"\""), (Words{"x", "two  blanks", ""}));
  EXPECT_EQ(SplitWords(R"(t "a \"q\" \\ b\nc\td")"), (Words{"t", "a \"q\" \\ b\nc\td"}));
  // Outside quotes a backslash is an ordinary character: Windows paths.
  EXPECT_EQ(SplitWords(R"(start dir\setup.exe)"), (Words{"start", R"(dir\setup.exe)"}));
}

TEST(CaseLanguage, RejectsBrokenQuotes) {
  EXPECT_THROW(SplitWords("x \"open"), ScriptError);
  EXPECT_THROW(SplitWords("x \"ends in escape\\"), ScriptError);
  EXPECT_THROW(SplitWords(R"(x "\q")"), ScriptError);
  EXPECT_THROW(SplitWords(R"(x "glued"word)"), ScriptError);
}

TEST(CaseLanguage, ParsesLinesSkippingCommentsAndBlanks) {
  const std::vector<Command> commands = ParseScript(
      "# heading\r\n\r\nstart setup.exe\r\n  # indented comment\n  click btnExit  \r\n");
  ASSERT_EQ(commands.size(), 2u);
  EXPECT_EQ(commands[0].line, 3);
  EXPECT_EQ(commands[0].name, "start");
  EXPECT_EQ(commands[0].args, Words{"setup.exe"});
  EXPECT_EQ(commands[1].line, 5);
  EXPECT_EQ(commands[1].text, "click btnExit");
}

TEST(CaseLanguage, NamesTheLineOfASyntaxError) {
  try {
    ParseScript("start a\nexpect-text x \"open\n");
    FAIL() << "no error";
  } catch (const ScriptError& error) {
    EXPECT_EQ(std::string(error.what()).rfind("line 2:", 0), 0u) << error.what();
  }
}

TEST(CaseLanguage, ExpandsVariablesAndRefusesUnknownOnes) {
  std::vector<Command> commands = ParseScript("start ${dir}/${name} as \"${name}-copy\"\n");
  ExpandVariables(commands, {{"dir", "C:/work"}, {"name", "setup.exe"}});
  EXPECT_EQ(commands[0].args, (Words{"C:/work/setup.exe", "as", "setup.exe-copy"}));

  // A value is not expanded again.
  commands = ParseScript("x ${a}\n");
  ExpandVariables(commands, {{"a", "${a}"}});
  EXPECT_EQ(commands[0].args, Words{"${a}"});

  commands = ParseScript("\nx ${missing}\n");
  EXPECT_THROW(ExpandVariables(commands, {}), ScriptError);
}

TEST(CaseLanguage, ChecksCommandNamesAndWordCounts) {
  EXPECT_NO_THROW(CheckScript(ParseScript(
      "start s.exe as c.exe\nwait-window within 20\nexpect-page tabIntro within 3\n"
      "expect-box \"Error\" \"text\" \"&Abort\"\nanswer-box \"&Abort\"\nexpect-exit 0 within 5\n"
      "expect-exit\nscreenshot intro\nflip-byte s.exe -1\npatch s.exe \"ab\" "
      "\"cd\"\nterminate\n")));
  EXPECT_THROW(CheckScript(ParseScript("clik btnExit\n")), ScriptError);
  EXPECT_THROW(CheckScript(ParseScript("click\n")), ScriptError);
  EXPECT_THROW(CheckScript(ParseScript("click btnExit btnExit2\n")), ScriptError);
  EXPECT_THROW(CheckScript(ParseScript("expect-box \"Error\" \"no buttons\"\n")), ScriptError);
  // "within" belongs to waiting commands only.
  EXPECT_THROW(CheckScript(ParseScript("click btnExit within 3\n")), ScriptError);
}

TEST(ControlNames, MatchTheWindowsIdentifiersInAnyCase) {
  EXPECT_EQ(ControlIdByName("btnShowLicense"), ids::kBtnShowLicense);
  EXPECT_EQ(ControlIdByName("BTNSHOWLICENSE"), ids::kBtnShowLicense);
  EXPECT_EQ(ControlIdByName("tabUninstalled"), ids::kTabUninstalled);
  EXPECT_EQ(ControlIdByName("DirectoryListBox1"), ids::kDirectoryListBox1);
  EXPECT_FALSE(ControlIdByName("btnNowhere").has_value());
  EXPECT_FALSE(ControlIdByName("").has_value());
}

TEST(ControlNames, SpellKindPrefixedAndNumberedNamesAsTheWindowDoes) {
  EXPECT_EQ(ControlName(ids::kTabIntro), "tabIntro");
  EXPECT_EQ(ControlName(ids::kPanIcon), "panIcon");
  EXPECT_EQ(ControlName(ids::kPanel1), "Panel1");
  EXPECT_EQ(ControlName(ids::kLabel11), "Label11");
  EXPECT_EQ(ControlName(ids::kBtnExit4), "btnExit4");
  EXPECT_EQ(ControlName(12345), "#12345");
}

TEST(ControlNames, PagesAreTheSevenTabs) {
  int pages = 0;
  for (int id = 0; id < 1000; ++id) pages += IsPageId(id) ? 1 : 0;
  EXPECT_EQ(pages, 7);
  EXPECT_TRUE(IsPageId(ids::kTabIntro));
  EXPECT_TRUE(IsPageId(ids::kTabUninstalled));
  EXPECT_FALSE(IsPageId(ids::kPageControl1));
}

// Reads a PNG back chunk by chunk, checking each chunk's CRC.
struct Chunk {
  std::string type;
  std::vector<uint8_t> data;
};

uint32_t BigEndian(const uint8_t* p) {
  return uint32_t(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3];
}

std::vector<Chunk> ReadChunks(const std::vector<uint8_t>& png) {
  std::vector<Chunk> chunks;
  size_t at = 8;
  while (at + 12 <= png.size()) {
    const uint32_t length = BigEndian(&png[at]);
    Chunk chunk{std::string(png.begin() + at + 4, png.begin() + at + 8),
                std::vector<uint8_t>(png.begin() + at + 8, png.begin() + at + 8 + length)};
    const uint32_t crc = BigEndian(&png[at + 8 + length]);
    EXPECT_EQ(crc, crc32(0, &png[at + 4], 4 + length)) << chunk.type;
    chunks.push_back(std::move(chunk));
    at += 12 + length;
  }
  EXPECT_EQ(at, png.size());
  return chunks;
}

TEST(PngWriter, WritesSignatureHeaderRowsAndEnd) {
  RgbImage image;
  image.width = 3;
  image.height = 2;
  image.pixels = {255, 0, 0, 0, 255, 0, 0, 0, 255, 10, 20, 30, 40, 50, 60, 70, 80, 90};
  const std::vector<uint8_t> png = EncodePng(image);
  ASSERT_GT(png.size(), 8u);
  EXPECT_EQ(std::vector<uint8_t>(png.begin(), png.begin() + 8),
            (std::vector<uint8_t>{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}));

  const std::vector<Chunk> chunks = ReadChunks(png);
  ASSERT_EQ(chunks.size(), 3u);
  EXPECT_EQ(chunks[0].type, "IHDR");
  EXPECT_EQ(chunks[0].data, (std::vector<uint8_t>{0, 0, 0, 3, 0, 0, 0, 2, 8, 2, 0, 0, 0}));
  EXPECT_EQ(chunks[1].type, "IDAT");
  EXPECT_EQ(chunks[2].type, "IEND");
  EXPECT_TRUE(chunks[2].data.empty());

  // Each row: filter type 0, then the row's bytes unchanged.
  std::vector<uint8_t> rows(2 * (1 + 9));
  uLongf size = static_cast<uLongf>(rows.size());
  ASSERT_EQ(uncompress(rows.data(), &size, chunks[1].data.data(),
                       static_cast<uLong>(chunks[1].data.size())),
            Z_OK);
  ASSERT_EQ(size, rows.size());
  std::vector<uint8_t> expected = {0};
  expected.insert(expected.end(), image.pixels.begin(), image.pixels.begin() + 9);
  expected.push_back(0);
  expected.insert(expected.end(), image.pixels.begin() + 9, image.pixels.end());
  EXPECT_EQ(rows, expected);
}

TEST(PngWriter, RefusesAnEmptyOrInconsistentPicture) {
  EXPECT_THROW(EncodePng(RgbImage{}), std::runtime_error);
  RgbImage short_of_bytes;
  short_of_bytes.width = 2;
  short_of_bytes.height = 2;
  short_of_bytes.pixels.resize(11);
  EXPECT_THROW(EncodePng(short_of_bytes), std::runtime_error);
}

std::vector<uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(FileEdits, PatchReplacesTheFirstOccurrenceInPlace) {
  const std::string path = "file_edits_patch.bin";
  WriteWholeFile(path, Bytes(std::string("ab\xFFxy-ab\xFFxy", 11)));
  PatchFirst(path, "b\xFFx", "B\x01X");
  EXPECT_EQ(ReadWholeFile(path), Bytes(std::string("aB\x01Xy-ab\xFFxy", 11)));

  EXPECT_THROW(PatchFirst(path, "ab", "abc"), std::runtime_error);  // offsets would move
  EXPECT_THROW(PatchFirst(path, "zz", "yy"), std::runtime_error);
  EXPECT_EQ(ReadWholeFile(path), Bytes(std::string("aB\x01Xy-ab\xFFxy", 11)));
}

TEST(FileEdits, FlipByteCountsNegativeOffsetsFromTheEnd) {
  const std::string path = "file_edits_flip.bin";
  WriteWholeFile(path, {0x00, 0x0F, 0xF0});
  FlipByte(path, -1);
  FlipByte(path, 0);
  EXPECT_EQ(ReadWholeFile(path), (std::vector<uint8_t>{0xFF, 0x0F, 0x0F}));
  EXPECT_THROW(FlipByte(path, 3), std::runtime_error);
  EXPECT_THROW(FlipByte(path, -4), std::runtime_error);
}

TEST(FileEdits, TruncateCutsAtAnOffsetOrBeforeAText) {
  const std::string path = "file_edits_truncate.bin";
  WriteWholeFile(path, Bytes("head[Files]tail"));
  Truncate(path, -2);
  EXPECT_EQ(ReadWholeFile(path), Bytes("head[Files]ta"));
  TruncateBefore(path, "[Files]");
  EXPECT_EQ(ReadWholeFile(path), Bytes("head"));
  EXPECT_THROW(TruncateBefore(path, "[Files]"), std::runtime_error);
  EXPECT_THROW(Truncate(path, 4), std::runtime_error) << "nothing to cut";
  Truncate(path, 1);
  EXPECT_EQ(ReadWholeFile(path), Bytes("h"));
}

TEST(FileEdits, CopyCreatesFoldersAndReplacesAnOldCopy) {
  WriteWholeFile("file_edits_source.bin", Bytes("new"));
  WriteWholeFile("file_edits_source_old.bin", Bytes("old"));
  CopyFileTo("file_edits_source_old.bin", "file_edits_copies/deeper/copy.exe");
  CopyFileTo("file_edits_source.bin", "file_edits_copies/deeper/copy.exe");
  EXPECT_EQ(ReadWholeFile("file_edits_copies/deeper/copy.exe"), Bytes("new"));
  EXPECT_THROW(CopyFileTo("file_edits_missing.bin", "file_edits_copies/x.exe"), std::runtime_error);
}

}  // namespace
}  // namespace tidemark::e2e
