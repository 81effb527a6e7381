#include "container/loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>

#include "container/buffered_source.h"
#include "container/errors.h"
#include "container/layout.h"
#include "tests/native/container/test_support.h"

namespace tidemark {
namespace {

using test::Bytes;
using test::ToBytes;

// --- FindMarker -------------------------------------------------------------

TEST(FindMarkerTest, FindsTheFirstOccurrenceAndStandsOnItsSecondByte) {
  const std::string marker = StartMarker();
  const Bytes data =
      test::Concat({ToBytes("xxd>a>t>a"), ToBytes(marker), ToBytes("yy"), ToBytes(marker)});
  MemorySource source(data);
  int64_t position = 0;
  ASSERT_TRUE(FindMarker(marker, source, position));
  EXPECT_EQ(position, 10);
  EXPECT_EQ(source.Position(), 10);

  // Searching on from there finds the second one.
  ASSERT_TRUE(FindMarker(marker, source, position));
  EXPECT_EQ(position, 10 + 17 + 2);
}

TEST(FindMarkerTest, SeesMarkersAcrossReadBlocksAndAtTheVeryEnd) {
  const std::string marker = ScrambledStartMarker();
  for (size_t offset :
       {size_t{0}, size_t{65536 - 9}, size_t{65536 - 17}, size_t{65536}, size_t{3 * 65536 - 1}}) {
    Bytes data(offset, 'd');  // many false starts on the first byte
    const Bytes tail = ToBytes(marker);
    data.insert(data.end(), tail.begin(), tail.end());
    MemorySource source(data);
    int64_t position = 0;
    ASSERT_TRUE(FindMarker(marker, source, position)) << offset;
    EXPECT_EQ(position, static_cast<int64_t>(offset) + 1);
  }
}

TEST(FindMarkerTest, AMarkerCutShortIsNotFound) {
  const std::string marker = StartMarker();
  Bytes data = test::RandomBytes(70000, 7);
  const Bytes cut = ToBytes(marker.substr(0, 16));
  data.insert(data.end(), cut.begin(), cut.end());
  MemorySource source(data);
  int64_t position = 0;
  EXPECT_FALSE(FindMarker(marker, source, position));
  EXPECT_EQ(position, source.Size());
}

TEST(FindMarkerTest, StartsAtTheGivenOffset) {
  const std::string marker = EndMarker();
  const Bytes data = test::Concat({ToBytes(marker), ToBytes("--"), ToBytes(marker)});
  MemorySource source(data);
  int64_t position = 1;
  ASSERT_TRUE(FindMarker(marker, source, position));
  EXPECT_EQ(position, 16);
}

// --- Uninstaller name and descrambling ---------------------------------------

TEST(UninstallerNameTest, IgnoresLetterCaseAndFolder) {
  EXPECT_TRUE(IsUninstallerFileName("uninstall.exe"));
  EXPECT_TRUE(IsUninstallerFileName("UnInstall.EXE"));
  EXPECT_TRUE(IsUninstallerFileName("C:\\Program Files\\Marrowlight\\Uninstall.exe"));
  EXPECT_FALSE(IsUninstallerFileName("setup.exe"));
  EXPECT_FALSE(IsUninstallerFileName("uninstall.exe.bak"));
  EXPECT_FALSE(IsUninstallerFileName("xuninstall.exe"));
  EXPECT_FALSE(IsUninstallerFileName("uninstall .exe"));
  EXPECT_FALSE(IsUninstallerFileName(""));
}

// The same transformation done one byte at a time.
uint8_t ReferenceDescramble(Bytes& bytes, size_t from) {
  uint8_t sum = 0;
  for (size_t i = from; i < bytes.size(); ++i) {
    bytes[i] ^= static_cast<uint8_t>(ScrambleKey[(i - from) % 49]);
    sum ^= bytes[i];
  }
  return sum;
}

// A file in memory, read at given offsets.
class MemoryInput : public RandomAccessInput {
 public:
  explicit MemoryInput(const Bytes& bytes) : bytes_(bytes) {}
  int64_t Size() const override { return static_cast<int64_t>(bytes_.size()); }
  size_t ReadAt(int64_t offset, void* buffer, size_t count) override {
    const size_t at = std::min(static_cast<size_t>(offset), bytes_.size());
    const size_t n = std::min(count, bytes_.size() - at);
    if (n > 0) std::memcpy(buffer, bytes_.data() + at, n);
    return n;
  }

 private:
  const Bytes& bytes_;
};

// Reads all of `source` from `from` on in pieces of varying lengths, so
// that pieces start at every phase of the key.
Bytes ReadInOddPieces(ByteSource& source, int64_t from) {
  static constexpr size_t kPieces[] = {1, 7, 48, 49, 50, 4093, 70001, 3};
  source.Seek(from);
  Bytes all;
  for (size_t i = 0;; ++i) {
    Bytes piece(kPieces[i % std::size(kPieces)]);
    const size_t got = source.Read(piece.data(), piece.size());
    if (got == 0) return all;
    all.insert(all.end(), piece.begin(), piece.begin() + static_cast<std::ptrdiff_t>(got));
  }
}

TEST(DescrambleTest, ReadsAsByteWiseDescramblingFromAnyStartOffsetAndLength) {
  for (size_t length : {size_t{0}, size_t{1}, size_t{7}, size_t{49}, size_t{391}, size_t{3137},
                        size_t{100003}, BufferedSource::kBufferSize * 2 + 11}) {
    for (size_t start : {size_t{0}, size_t{3}, size_t{17}}) {
      const Bytes stored = test::RandomBytes(start + length, static_cast<uint32_t>(length + start));
      Bytes expected = stored;
      const uint8_t sum = ReferenceDescramble(expected, start);
      ExeImage image;
      image.Assign(stored);
      image.Seek(static_cast<int64_t>(start));
      try {
        DescramblePayload(image, "setup.exe");
        EXPECT_EQ(sum, 0) << "passed with a checksum of " << int{sum};
      } catch (const LoadError& e) {
        EXPECT_NE(sum, 0);
        EXPECT_EQ(e.kind(), LoadFailure::kChecksum);
      }
      EXPECT_EQ(image.Position(), image.Size());
      MemoryInput file(stored);
      BufferedSource file_reads(file, 0, image.scrambled_region());
      ByteSource* const sources[] = {&image, &file_reads};
      for (ByteSource* source : sources) {
        for (size_t from : {size_t{0}, start + 1, start + 50}) {
          const Bytes tail(expected.begin() + std::min(from, expected.size()), expected.end());
          EXPECT_EQ(ReadInOddPieces(*source, static_cast<int64_t>(from)), tail)
              << "length " << length << " start " << start << " from " << from;
        }
      }
    }
  }
}

TEST(DescrambleTest, ChecksumRuleAndTheUninstallerExemption) {
  Bytes plain = test::RandomBytes(1000, 99);
  uint8_t sum = 0;
  for (uint8_t b : plain) sum ^= b;
  plain.push_back(sum);  // now the plain bytes XOR to 0
  Bytes good = plain;
  test::ScrambleFrom(good, 0);
  Bytes bad = good;
  bad[500] ^= 0x40;

  ExeImage image;
  image.Assign(good);
  EXPECT_NO_THROW(DescramblePayload(image, "setup.exe"));
  image.Seek(0);
  Bytes read(plain.size());
  EXPECT_EQ(image.Read(read.data(), read.size()), plain.size());
  EXPECT_EQ(read, plain);

  image.Assign(bad);
  try {
    DescramblePayload(image, "setup.exe");
    FAIL() << "no checksum error";
  } catch (const LoadError& e) {
    EXPECT_STREQ(e.what(), "Checksum error (damaged installer?)");
  }
  image.Assign(bad);
  EXPECT_NO_THROW(DescramblePayload(image, "UNINSTALL.exe"));
}

// --- Parsing the control information ----------------------------------------

struct ParseResult {
  bool found;
  int64_t next_offset;
  ControlInfo info;
};

// Parses `text` as if it followed the start marker's first byte "d".
ParseResult Parse(const Bytes& after_first_byte) {
  Bytes data = test::Concat({ToBytes("d"), after_first_byte});
  MemorySource source(data);
  source.Seek(1);
  ParseResult result{false, 1, {}};
  result.found = ParseControlInfo(source, result.next_offset, result.info);
  EXPECT_EQ(source.Position(), std::min<int64_t>(result.next_offset, source.Size()));
  return result;
}

std::string AfterD(const std::string& marker) { return marker.substr(1); }

TEST(ParseControlInfoTest, BuildsLinesFromMarkerToEndMarker) {
  const std::string text = AfterD(StartMarker()) + "\r\n[Settings]\r\nAppName=Marrowlight\r\n" +
                           EndMarker() + "\r\nDATA";
  const ParseResult r = Parse(ToBytes(text));
  ASSERT_TRUE(r.found);
  ASSERT_EQ(r.info.lines().size(), 4u);
  EXPECT_EQ(r.info.lines().front(), StartMarker());
  EXPECT_EQ(r.info.lines().back(), EndMarker());
  EXPECT_EQ(r.info.Value("appname"), "Marrowlight");
  // Just after the end marker's last byte: the CR LF and the data follow.
  EXPECT_EQ(r.next_offset, static_cast<int64_t>(1 + text.size() - 6));
}

TEST(ParseControlInfoTest, KeepsHighBytesAndDropsControlBytes) {
  const std::string text = AfterD(StartMarker()) + "\r\nAppName=Caf\xE9\tBar\x01\x7F\r\n" +
                           std::string(
                               "Icon=1\0"
                               "2",
                               8) +
                           "\r\n" + EndMarker();
  const ParseResult r = Parse(ToBytes(text));
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.info.Value("AppName"),
            "Caf\xE9"
            "Bar\x7F");
  EXPECT_EQ(r.info.Value("Icon"), "12");
}

TEST(ParseControlInfoTest, LfOnlyLineEndsJoinEverythingIntoOneLine) {
  const std::string text =
      AfterD(StartMarker()) + "\nAppName=Marrowlight\nIcon=5\n" + EndMarker() + "\n";
  const ParseResult r = Parse(ToBytes(text));
  ASSERT_TRUE(r.found);
  ASSERT_EQ(r.info.lines().size(), 1u);
  EXPECT_EQ(r.info.Value("AppName"), "");  // the name is the marker and all before "="
  EXPECT_EQ(r.info.Value("Icon"), "");
}

TEST(ParseControlInfoTest, EndMarkerInsideAValueEndsTheControlInformation) {
  const std::string text = AfterD(StartMarker()) + "\r\nAppCompany=by " + EndMarker() +
                           " Ltd\r\nAppName=Late\r\n" + EndMarker() + "\r\n";
  const ParseResult r = Parse(ToBytes(text));
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.info.lines().back(), "AppCompany=by " + EndMarker());
  EXPECT_EQ(r.info.Value("AppName"), "");
  EXPECT_EQ(r.next_offset, static_cast<int64_t>(1 + text.find(" Ltd")));
}

TEST(ParseControlInfoTest, MissingEndMarkerIsNotFound) {
  for (const std::string& text :
       {AfterD(StartMarker()), AfterD(StartMarker()) + "\r\nAppName=x\r\n",
        AfterD(StartMarker()) + "\r\n" + EndMarker().substr(0, 12)}) {
    EXPECT_FALSE(Parse(ToBytes(text)).found) << text;
  }
}

TEST(ParseControlInfoTest, LongControlInformationAcrossReadBlocks) {
  std::string text = AfterD(StartMarker()) + "\r\n";
  for (int i = 1; i <= 3000; ++i)
    text += "f" + std::to_string(i) + "=<file" + std::to_string(i) + ".dat><" + std::to_string(i) +
            ">\r\n";
  text += EndMarker() + "\r\n";
  const ParseResult r = Parse(ToBytes(text));
  ASSERT_TRUE(r.found);
  EXPECT_EQ(r.info.lines().size(), 3002u);
  EXPECT_EQ(r.info.Value("f2999"), "<file2999.dat><2999>");
  EXPECT_EQ(r.next_offset, static_cast<int64_t>(1 + text.size() - 2));
}

// --- LoadContainerHead -------------------------------------------------------

test::ContainerParts SmallParts() {
  test::ContainerParts parts;
  parts.lines = {"[Settings]", "AppName=Marrowlight", "InfoAbout=3", "InfoInstall=2"};
  parts.items = {ToBytes("abcde")};
  return parts;
}

LoadFailure LoadFailureOf(const Bytes& file, const std::string& name = "setup.exe") {
  ExeImage image;
  image.Assign(file);
  ControlInfo info;
  try {
    LoadContainerHead(image, name, info);
  } catch (const LoadError& e) {
    return e.kind();
  }
  ADD_FAILURE() << "loaded";
  return LoadFailure::kInitialise;
}

TEST(LoadContainerHeadTest, PlainAndScrambledHeadsGiveTheSameInformation) {
  const test::ContainerParts parts = SmallParts();
  for (bool scrambled : {false, true}) {
    const Bytes file =
        scrambled ? test::BuildScrambledContainer(parts) : test::BuildPlainContainer(parts);
    ExeImage image;
    image.Assign(file);
    ControlInfo info;
    const ContainerHead head = LoadContainerHead(image, "setup.exe", info);
    EXPECT_EQ(head.scrambled, scrambled);
    EXPECT_EQ(info.Value("AppName"), "Marrowlight");
    EXPECT_EQ(info.lines().front(), scrambled ? ScrambledStartMarker() : StartMarker());
    EXPECT_EQ(info.lines().back(), EndMarker());
    // DataStart is just past the end marker and its CR LF.
    image.Seek(head.data_start - 1);
    char around[2] = {};
    image.Read(around, 2);
    EXPECT_EQ(around[0], '\n');
    EXPECT_EQ(around[1], 'a');
  }
}

TEST(LoadContainerHeadTest, TheFourFailures) {
  EXPECT_EQ(LoadFailureOf(ToBytes("MZ just a stub, no container")), LoadFailure::kNoControlInfo);
  EXPECT_EQ(LoadFailureOf({}), LoadFailure::kNoControlInfo);
  EXPECT_EQ(LoadFailureOf(ToBytes("MZ stub" + StartMarker())), LoadFailure::kNotTerminated);
  EXPECT_EQ(LoadFailureOf(ToBytes("MZ stub" + StartMarker() + "\r\nAppName=x\r\n")),
            LoadFailure::kNotTerminated);

  Bytes damaged = test::BuildScrambledContainer(SmallParts());
  damaged[damaged.size() - 3] ^= 0x01;
  EXPECT_EQ(LoadFailureOf(damaged, "setup.exe"), LoadFailure::kChecksum);
  EXPECT_STREQ(LoadFailureMessage(LoadFailure::kInitialise),
               "Failed to initialise (damaged installer?)");
}

TEST(LoadContainerHeadTest, ScrambledUninstallerImageLoadsOnlyUnderItsName) {
  const Bytes full = test::BuildScrambledContainer(SmallParts());
  const Bytes uninstaller(full.begin(), full.end() - 6);  // without the item and tail
  ExeImage image;
  ControlInfo info;
  image.Assign(uninstaller);
  EXPECT_NO_THROW(LoadContainerHead(image, "Uninstall.EXE", info));
  EXPECT_EQ(info.Value("InfoAbout"), "3");
  EXPECT_EQ(LoadFailureOf(uninstaller, "setup.exe"), LoadFailure::kChecksum);
}

TEST(LoadContainerHeadTest, PlainContainerIsNeverChecksummed) {
  Bytes file = test::BuildPlainContainer(SmallParts());
  const std::string text(file.begin(), file.end());
  file[text.find("Marrowlight")] = 'N';
  ExeImage image;
  image.Assign(file);
  ControlInfo info;
  LoadContainerHead(image, "setup.exe", info);
  EXPECT_EQ(info.Value("AppName"), "Narrowlight");
}

TEST(LoadContainerHeadTest, APlainMarkerAnywhereWinsOverAScrambledOne) {
  test::ContainerParts parts = SmallParts();
  Bytes scrambled = test::BuildScrambledContainer(parts);
  parts.stub = {};
  parts.lines[1] = "AppName=Plain";
  const Bytes file = test::Concat({scrambled, test::BuildPlainContainer(parts)});
  ExeImage image;
  image.Assign(file);
  ControlInfo info;
  EXPECT_FALSE(LoadContainerHead(image, "setup.exe", info).scrambled);
  EXPECT_EQ(info.Value("AppName"), "Plain");
}

}  // namespace
}  // namespace tidemark
