// Whole containers read back as the installer reads them: the head with its
// items, then the file items in order.
#include <gtest/gtest.h>

#include "container/container_walk.h"
#include "container/errors.h"
#include "container/items.h"
#include "tests/native/container/test_support.h"

namespace tidemark {
namespace {

using test::Bytes;
using test::ToBytes;

struct Product {
  Bytes splash = test::EncodeJpeg(40, 30);
  Bytes icon = test::EncodeJpeg(16, 16);
  Bytes about = ToBytes("{\\rtf1\\ansi Marrowlight, a product of Brackwater.}");
  Bytes licence = ToBytes("You may install this program on any number of machines.");
  std::vector<Bytes> files = {test::RandomBytes(635904, 1), test::TextLikeBytes(58572, 2),
                              test::TextLikeBytes(104, 3)};
  std::vector<std::string> paths = {"Marrowlight.exe", "docs\\Manual.pdf", "samples\\First.dat"};
  bool with_splash = true;

  test::ContainerParts Parts() const {
    test::ContainerParts parts;
    parts.lines = {"[Settings]"};
    if (with_splash) parts.lines.push_back("Splash=" + std::to_string(splash.size()));
    parts.lines.insert(
        parts.lines.end(),
        {"Icon=" + std::to_string(icon.size()), "Filecount=3", "ExeName=Marrowlight.exe",
         "TargetFolder=%ProgramFiles%\\Marrowlight", "AppName=Marrowlight",
         "AppCompany=by Brackwater", "InfoAbout=" + std::to_string(about.size()),
         "InfoInstall=" + std::to_string(licence.size()), "[Files]"});
    for (size_t i = 0; i < files.size(); ++i) {
      parts.lines.push_back("f" + std::to_string(i + 1) + "=<" + paths[i] + "><" +
                            std::to_string(files[i].size()) + ">");
    }
    if (with_splash) parts.items.push_back(test::Deflate(splash, 9));
    parts.items.push_back(test::Deflate(icon, 9));
    parts.items.push_back(about);
    parts.items.push_back(licence);
    for (const Bytes& file : files) parts.items.push_back(test::Deflate(file));
    return parts;
  }
};

struct HeadContent {
  MemorySink splash, icon, about, licence;
  HeadSinks Sinks() { return {&splash, &icon, &about, &licence}; }
};

class WorkedExampleTest : public ::testing::TestWithParam<bool> {};

TEST_P(WorkedExampleTest, HeadAndFilesReadBackInOrder) {
  const bool scrambled = GetParam();
  const Product product;
  const test::ContainerParts parts = product.Parts();
  const Bytes file =
      scrambled ? test::BuildScrambledContainer(parts) : test::BuildPlainContainer(parts);
  ExeImage image;
  image.Assign(file);
  ControlInfo info;
  HeadContent content;
  const HeadWalk walk = WalkContainerHead(image, "Marrowlight-setup.exe", info, content.Sinks());

  EXPECT_EQ(walk.head.scrambled, scrambled);
  ASSERT_TRUE(walk.splash && walk.icon);
  EXPECT_EQ(walk.splash->start, walk.head.data_start);
  EXPECT_EQ(walk.icon->start, walk.splash->end);
  EXPECT_EQ(walk.about.start, walk.icon->end);
  EXPECT_EQ(walk.licence.start, walk.about.end);
  EXPECT_EQ(walk.payload_start, walk.licence.end);
  EXPECT_EQ(walk.about.end - walk.about.start, static_cast<int64_t>(product.about.size()));
  EXPECT_EQ(content.splash.bytes(), product.splash);
  EXPECT_EQ(content.icon.bytes(), product.icon);
  EXPECT_EQ(content.about.bytes(), product.about);
  EXPECT_EQ(content.licence.bytes(), product.licence);
  EXPECT_EQ(image.Position(), walk.payload_start);

  // The stub reads the head pictures the same way.
  image.Seek(walk.splash->start);
  EXPECT_EQ(LoadJpegItem(image, info.IntValue("Splash")).width, 40);
  EXPECT_EQ(LoadJpegItem(image, info.IntValue("Icon")).height, 16);

  // File items from PayloadStart, each ending where the next begins.
  image.Seek(walk.payload_start);
  test::TempFolder folder;
  int64_t progress = 0;
  for (size_t i = 0; i < product.files.size(); ++i) {
    const std::string path = folder.File("f" + std::to_string(i + 1));
    const int32_t size = static_cast<int32_t>(product.files[i].size());
    InflateItemToFile(image, *CreateFileSink(path), size, [&](int64_t step) { progress += step; });
    EXPECT_EQ(test::ReadWholeFile(path), product.files[i]) << i;
  }
  EXPECT_EQ(progress, 635904 + 58572 + 104);
  // Only the checksum tail of a scrambled container is left.
  EXPECT_EQ(image.Size() - image.Position(), scrambled ? 1 : 0);
}

TEST_P(WorkedExampleTest, UninstallerImageHoldsTheHeadOnly) {
  const bool scrambled = GetParam();
  const test::ContainerParts parts = Product().Parts();
  const Bytes file =
      scrambled ? test::BuildScrambledContainer(parts) : test::BuildPlainContainer(parts);
  ExeImage image;
  image.Assign(file);
  ControlInfo info;
  const int64_t payload_start = WalkContainerHead(image, "setup.exe", info).payload_start;

  test::TempFolder folder;
  const std::string path = folder.File("uninstall.exe");
  MemorySource on_disk(file);  // the installer as stored, scrambled or not
  CopyRawToFile(on_disk, *CreateFileSink(path), static_cast<int32_t>(payload_start), nullptr);

  ExeImage uninstaller(std::make_unique<VectorStorage>(test::ReadWholeFile(path)));
  const HeadWalk walk = WalkContainerHead(uninstaller, path, info);
  EXPECT_EQ(walk.payload_start, payload_start);
  EXPECT_EQ(walk.payload_start, uninstaller.Size());
  if (scrambled) {
    uninstaller.Assign(test::ReadWholeFile(path));
    EXPECT_THROW(WalkContainerHead(uninstaller, folder.File("Uninstall-old.exe"), info), LoadError);
  }
}

INSTANTIATE_TEST_SUITE_P(PlainAndScrambled, WorkedExampleTest, ::testing::Values(false, true));

TEST(ContainerWalkTest, WithoutSplashTheIconIsReadFromDataStart) {
  Product product;
  product.with_splash = false;
  ExeImage image;
  image.Assign(test::BuildPlainContainer(product.Parts()));
  ControlInfo info;
  HeadContent content;
  const HeadWalk walk = WalkContainerHead(image, "setup.exe", info, content.Sinks());
  EXPECT_FALSE(walk.splash.has_value());
  ASSERT_TRUE(walk.icon.has_value());
  EXPECT_EQ(walk.icon->start, walk.head.data_start);
  EXPECT_EQ(content.icon.bytes(), product.icon);
  EXPECT_EQ(content.licence.bytes(), product.licence);
}

TEST(ContainerWalkTest, TruncatedContainersFailOnTheItemThatIsCut) {
  const Product product;
  const Bytes whole = test::BuildPlainContainer(product.Parts());
  ExeImage image;
  image.Assign(whole);
  ControlInfo info;
  const HeadWalk walk = WalkContainerHead(image, "setup.exe", info);

  for (int64_t cut :
       {walk.splash->start + 10, walk.icon->end - 1, walk.about.start + 3, walk.licence.end - 1}) {
    image.Assign(Bytes(whole.begin(), whole.begin() + cut));
    try {
      WalkContainerHead(image, "setup.exe", info);
      ADD_FAILURE() << "no error at cut " << cut;
    } catch (const Error& e) {
      EXPECT_STREQ(e.what(), "Stream read error") << cut;
    }
  }
  // Cut inside the first file item: the head is whole, the file fails.
  image.Assign(Bytes(whole.begin(), whole.begin() + walk.payload_start + 1000));
  const HeadWalk head_only = WalkContainerHead(image, "setup.exe", info);
  DiscardSink discard;
  EXPECT_THROW(ReadCompressedItem(image, 635904, discard), Error);
  EXPECT_EQ(head_only.payload_start, walk.payload_start);
}

TEST(ContainerWalkTest, MissingTextSizeIsAConversionFailure) {
  Product product;
  test::ContainerParts parts = product.Parts();
  parts.lines.erase(std::find_if(parts.lines.begin(), parts.lines.end(), [](const std::string& l) {
    return l.rfind("InfoAbout=", 0) == 0;
  }));
  ExeImage image;
  image.Assign(test::BuildPlainContainer(parts));
  ControlInfo info;
  try {
    WalkContainerHead(image, "setup.exe", info);
    FAIL() << "no error";
  } catch (const Error& e) {
    EXPECT_STREQ(e.what(), "'' is not a valid integer value");
  }
}

TEST(ContainerWalkTest, ReportsItemExtentsAndContentSize) {
  const Bytes first = test::Deflate(test::TextLikeBytes(70000, 4));
  const Bytes second = test::Deflate({});
  const Bytes data = test::Concat({ToBytes("xyz"), first, second});
  MemorySource source(data);
  source.Seek(3);
  DiscardSink sink;
  const ItemExtent a = ReadCompressedItem(source, 70000, sink);
  const ItemExtent b = ReadCompressedItem(source, 0, sink);
  EXPECT_EQ(a.start, 3);
  EXPECT_EQ(a.end, static_cast<int64_t>(3 + first.size()));
  EXPECT_EQ(a.content_size, 70000);
  EXPECT_EQ(b.start, a.end);
  EXPECT_EQ(b.end, static_cast<int64_t>(data.size()));
  EXPECT_EQ(sink.written(), 70000);
}

}  // namespace
}  // namespace tidemark
