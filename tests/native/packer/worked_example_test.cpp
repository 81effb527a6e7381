// The worked example packed by the packer and read back by the installer's
// own core, plain and scrambled.
#include <gtest/gtest.h>

#include "container/container_walk.h"
#include "container/image_file.h"
#include "container/items.h"
#include "container/layout.h"
#include "packer/cli/pack.h"
#include "packer/product/control_lines.h"
#include "rules/file_entry.h"
#include "tests/native/packer/packer_fixture.h"

namespace tidemark::test {
namespace {

// What start-up and the installation run find in an installer.
struct ReadBack {
  ControlInfo info;
  HeadWalk walk;
  MemorySink splash, icon, about, licence;
  std::vector<Bytes> files;
  int64_t end_of_items = 0;
};

void ReadInstaller(const std::string& path, ReadBack& back) {
  ExeImage image(ReadFileStorage(path));
  back.walk = WalkContainerHead(image, "setup.exe", back.info,
                                {&back.splash, &back.icon, &back.about, &back.licence});
  for (int32_t i = 1; i <= back.info.IntValue("Filecount"); ++i) {
    MemorySink file;
    InflateItem(image, file, SplitFileEntry(back.info.Value(FileEntryKey(i))).Size());
    back.files.push_back(file.bytes());
  }
  back.end_of_items = image.Position();
}

class WorkedExampleTest : public ::testing::Test {
 protected:
  PackResult Pack(bool scrambled, const std::string& name) {
    PackOptions options;
    options.stub_path = example_.stub();
    options.description_path = example_.description();
    options.output_path = folder_.File(name);
    options.scrambled = scrambled;
    options.jobs = 2;
    return PackInstaller(options);
  }

  void ExpectContentOfExample(const ReadBack& back) {
    EXPECT_EQ(back.splash.bytes(), ReadWholeFile(example_.File("splash.jpg")));
    EXPECT_EQ(back.icon.bytes(), ReadWholeFile(example_.File("icon.jpg")));
    EXPECT_EQ(back.about.bytes(), ReadWholeFile(example_.File("about.rtf")));
    EXPECT_EQ(back.licence.bytes(), ReadWholeFile(example_.File("license.rtf")));
    ASSERT_EQ(back.files.size(), 3u);
    EXPECT_EQ(back.files[0], ReadWholeFile(example_.files() + "/Marrowlight.exe"));
    EXPECT_EQ(back.files[1], ReadWholeFile(example_.files() + "/docs/Manual.pdf"));
    EXPECT_EQ(back.files[2], ReadWholeFile(example_.files() + "/samples/First.dat"));
  }

  TempFolder folder_;
  WorkedExample example_{folder_};
};

TEST_F(WorkedExampleTest, PlainInstallerIsStubThenContainerByteForByte) {
  const PackResult result = Pack(false, "setup.exe");
  const Bytes installer = ReadWholeFile(folder_.File("setup.exe"));
  EXPECT_EQ(result.installer_size, static_cast<int64_t>(installer.size()));

  const Bytes stub = ReadWholeFile(example_.stub());
  ASSERT_GT(installer.size(), stub.size());
  EXPECT_TRUE(std::equal(stub.begin(), stub.end(), installer.begin()));
  std::string head;
  for (const std::string& line : WorkedExampleControlLines()) head += line + "\r\n";
  EXPECT_EQ(
      std::string(installer.begin() + stub.size(), installer.begin() + stub.size() + head.size()),
      head);

  ReadBack back;
  ReadInstaller(folder_.File("setup.exe"), back);
  EXPECT_EQ(back.info.lines(), WorkedExampleControlLines());
  EXPECT_FALSE(back.walk.head.scrambled);
  EXPECT_EQ(back.walk.head.data_start, static_cast<int64_t>(stub.size() + head.size()));
  EXPECT_EQ(back.walk.splash->start, back.walk.head.data_start);
  EXPECT_EQ(back.walk.payload_start, back.walk.licence.end);
  ExpectContentOfExample(back);
  EXPECT_EQ(back.end_of_items, static_cast<int64_t>(installer.size()));  // no tail
}

TEST_F(WorkedExampleTest, SplashAndIconDecodeAsTheInstallerShowsThem) {
  Pack(false, "setup.exe");
  ExeImage image(ReadFileStorage(folder_.File("setup.exe")));
  ControlInfo info;
  const ContainerHead head = LoadContainerHead(image, "setup.exe", info);
  image.Seek(head.data_start);
  const RgbImage splash = LoadJpegItem(image, info.IntValue("Splash"));
  const RgbImage icon = LoadJpegItem(image, info.IntValue("Icon"));
  EXPECT_EQ(splash.width, 128);
  EXPECT_EQ(splash.height, 296);
  EXPECT_EQ(icon.width, 32);
  EXPECT_EQ(icon.height, 32);
}

TEST_F(WorkedExampleTest, ScrambledInstallerDescramblesToThePlainContainerWithChecksumZero) {
  Pack(false, "plain.exe");
  Pack(true, "scrambled.exe");
  const Bytes plain = ReadWholeFile(folder_.File("plain.exe"));
  Bytes scrambled = ReadWholeFile(folder_.File("scrambled.exe"));
  const size_t payload = ReadWholeFile(example_.stub()).size() + kStartMarkerLength;
  ASSERT_EQ(scrambled.size(), plain.size() + 1);  // one tail byte
  EXPECT_EQ(
      std::string(scrambled.begin() + payload - kStartMarkerLength, scrambled.begin() + payload),
      ScrambledStartMarker());

  ScrambleFrom(scrambled, payload);  // XOR with the key is its own inverse
  EXPECT_TRUE(std::equal(plain.begin() + payload, plain.end(), scrambled.begin() + payload));
  uint8_t checksum = 0;
  for (size_t i = payload; i < scrambled.size(); ++i) checksum ^= scrambled[i];
  EXPECT_EQ(checksum, 0);

  ReadBack back;  // the loader checks the checksum under any name but uninstall.exe
  ReadInstaller(folder_.File("scrambled.exe"), back);
  EXPECT_TRUE(back.walk.head.scrambled);
  std::vector<std::string> lines = WorkedExampleControlLines();
  lines.front() = ScrambledStartMarker();
  EXPECT_EQ(back.info.lines(), lines);
  ExpectContentOfExample(back);
}

TEST_F(WorkedExampleTest, ScrambledUninstallerImageLoadsUnderItsOwnName) {
  Pack(true, "scrambled.exe");
  ReadBack back;
  ReadInstaller(folder_.File("scrambled.exe"), back);
  Bytes image = ReadWholeFile(folder_.File("scrambled.exe"));
  image.resize(static_cast<size_t>(back.walk.payload_start));
  ExeImage uninstaller;
  uninstaller.Assign(image);
  ControlInfo info;
  EXPECT_NO_THROW(WalkContainerHead(uninstaller, "C:\\Apps\\Marrowlight\\uninstall.exe", info));
}

TEST_F(WorkedExampleTest, UninstallEntryKeysFollowTheProductByDefault) {
  struct Row {
    std::vector<std::string> added;
    std::vector<std::string> expected;  // after AppCompany, before InfoAbout
  } const rows[] = {
      {{"SetupVersion=1.4.2", "SetupCompanyName=Brackwater", "AppHelpUrl=https://example.org/h"},
       {"AppVersion=1.4.2", "AppPublisher=Brackwater", "AppIconFile=Marrowlight.exe", "AppSize=679",
        "UninstallEntry=full", "AppHelpUrl=https://example.org/h"}},
      {{"AppVersion=2.0 beta", "AppAboutUrl=https://example.org/"},
       {"AppVersion=2.0 beta", "AppPublisher=Brackwater", "AppIconFile=Marrowlight.exe",
        "AppSize=679", "UninstallEntry=full", "AppAboutUrl=https://example.org/"}},
      {{"UninstallEntry=plain"}, {}},
  };
  for (const Row& row : rows) {
    std::vector<std::string> lines = WorkedExample::DescriptionLines();
    lines.pop_back();  // UninstallEntry=plain
    lines.insert(lines.end(), row.added.begin(), row.added.end());
    example_.WriteDescription(lines);
    const std::vector<std::string> info =
        BuildControlLines(LoadProduct(example_.description(), CodePage(1252)));
    const auto company = std::find(info.begin(), info.end(), "AppCompany=by Brackwater");
    const auto about = std::find(info.begin(), info.end(), "InfoAbout=253");
    ASSERT_LT(company, about);
    EXPECT_EQ(std::vector<std::string>(company + 1, about), row.expected) << row.added[0];
  }
}

}  // namespace
}  // namespace tidemark::test
