// Writes the seed corpora below the folder given as the only argument, one
// sub-folder per fuzz target: installers that the packer builds from a tiny
// product, item runs cut from them, install logs, file lines and product
// descriptions. The seeds are committed; run this again when the layout of
// what the packer writes changes.
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "container/control_info.h"
#include "container/exe_image.h"
#include "container/loader.h"
#include "tests/native/container/test_support.h"
#include "tests/native/damage/tiny_product.h"

namespace tidemark::fuzz {
namespace {

using test::Bytes;
using test::ToBytes;

void WriteSeed(const std::filesystem::path& folder, const std::string& name, const Bytes& bytes) {
  std::filesystem::create_directories(folder);
  test::WriteFile(folder / name, bytes);
}

void AppendLittleEndian(Bytes& out, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

// An item run in the item_sequence format: records, largest read, stream.
Bytes ItemRun(const std::vector<std::pair<uint8_t, int32_t>>& records, uint16_t largest_read,
              const Bytes& stream) {
  Bytes out{static_cast<uint8_t>(records.size() - 1)};
  for (const auto& [kind, size] : records) {
    out.push_back(kind);
    AppendLittleEndian(out, static_cast<uint32_t>(size), 4);
  }
  AppendLittleEndian(out, largest_read, 2);
  out.insert(out.end(), stream.begin(), stream.end());
  return out;
}

// The tiny product's head items (splash, icon, about, licence) and first
// file item, as an item run.
Bytes HeadItemRun(const Bytes& installer, uint16_t largest_read) {
  ExeImage image;
  image.Assign(installer);
  ControlInfo info;
  const int64_t data_start = LoadContainerHead(image, "setup.exe", info).data_start;
  const Bytes stream(installer.begin() + data_start, installer.end());
  return ItemRun({{3, info.IntValue("Splash")},
                  {3, info.IntValue("Icon")},
                  {2, info.IntValue("InfoAbout")},
                  {1, info.IntValue("InfoInstall")},
                  {0, 300 + 2}},
                 largest_read, stream);
}

void WriteSeeds(const std::filesystem::path& root) {
  const Bytes plain = test::PackTinyProduct(false);
  const Bytes scrambled = test::PackTinyProduct(true);
  WriteSeed(root / "load_installer", "tiny_plain.exe", plain);
  WriteSeed(root / "load_installer", "tiny_scrambled.exe", scrambled);
  WriteSeed(root / "load_installer", "tiny_uninstaller.exe",
            Bytes(plain.begin(), plain.begin() + test::PayloadStartOf(plain)));

  WriteSeed(root / "item_sequence", "head_items.bin", HeadItemRun(plain, 0));
  WriteSeed(root / "item_sequence", "head_items_trickle7.bin", HeadItemRun(plain, 7));
  const Bytes hello = ToBytes("hello, items");
  WriteSeed(root / "item_sequence", "two_compressed.bin",
            ItemRun({{0, 12}, {0, 12}}, 1,
                    test::Concat({test::Deflate(hello), test::Deflate(hello, 0)})));

  WriteSeed(
      root / "install_log", "typical.ilg",
      ToBytes("C:\\Program Files\\Tiny\\Tiny.exe\r\nC:\\Program Files\\Tiny\\docs\\Read.txt\r\n"
              "C:\\Program Files\\Tiny\\uninstall.exe\r\nC:\\Program Files\\Tiny\\Tiny.ilg\r\n"
              "C:\\Users\\Public\\Desktop\\Tiny.lnk\r\n"));
  WriteSeed(root / "install_log", "odd_line_ends.ilg", ToBytes("a\rb\n\nc\n\rd"));

  WriteSeed(root / "file_line", "plain.txt", ToBytes("<Tiny.exe><302>"));
  WriteSeed(root / "file_line", "sub_folder.txt", ToBytes("<docs\\Read.txt><120>"));
  WriteSeed(root / "file_line", "shift_jis.txt",
            ToBytes("<\x83\x5c\x83\x74\x83\x67\\a.txt><-2147483648>"));

  WriteSeed(
      root / "product_description", "tiny.ini",
      ToBytes("; Tiny by Brackwater\r\n[Settings]\r\nAppName=Tiny\r\nAppCompany=by Brackwater\r\n"
              "TargetFolder=%ProgramFiles%\\Tiny\r\nExeName=Tiny.exe\r\nExeShortcut=Tiny\r\n"
              "ShortcutName1=Read me\r\nShortcutPath1=docs\\Read.txt\r\nSplashFile=splash.jpg\r\n"
              "IconFile=icon.jpg\r\nAboutFile=about.rtf\r\nLicenseFile=license.rtf\r\n"
              "FilesFolder=files\r\n"));
}

}  // namespace
}  // namespace tidemark::fuzz

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: make_seeds CORPUS-FOLDER\n";
    return 2;
  }
  tidemark::fuzz::WriteSeeds(argv[1]);
  return 0;
}
