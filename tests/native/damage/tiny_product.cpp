#include "tests/native/damage/tiny_product.h"

#include <filesystem>
#include <string>

#include "container/container_walk.h"
#include "packer/cli/pack.h"

namespace tidemark::test {
namespace {

void WriteText(const std::filesystem::path& path, const std::string& text) {
  WriteFile(path, ToBytes(text));
}

void WriteTinyProduct(const std::filesystem::path& root) {
  WriteFile(root / "stub.bin", BareStubBytes());
  WriteFile(root / "splash.jpg", EncodeJpeg(16, 8));
  WriteFile(root / "icon.jpg", EncodeJpeg(8, 8, true));
  WriteText(root / "about.rtf", "{\\rtf1\\ansi{\\b Tiny} by Brackwater\\par}");
  WriteText(root / "license.rtf", "You may install Tiny anywhere.");
  std::filesystem::create_directories(root / "files" / "docs");
  WriteFile(root / "files" / "Tiny.exe", Concat({ToBytes("MZ"), TextLikeBytes(300, 21)}));
  WriteFile(root / "files" / "docs" / "Read.txt", TextLikeBytes(120, 22));
  WriteFile(root / "files" / "data.bin", RandomBytes(200, 23));
  WriteText(root / "product.ini",
            "AppName=Tiny\n"
            "AppCompany=by Brackwater\n"
            "TargetFolder=%ProgramFiles%\\Tiny\n"
            "ExeName=Tiny.exe\n"
            "ExeShortcut=Tiny\n"
            "ShortcutName1=Read me\n"
            "ShortcutPath1=docs\\Read.txt\n"
            "SplashFile=splash.jpg\n"
            "IconFile=icon.jpg\n"
            "AboutFile=about.rtf\n"
            "LicenseFile=license.rtf\n"
            "FilesFolder=files\n");
}

}  // namespace

Bytes PackTinyProduct(bool scrambled) {
  const TempFolder folder;
  WriteTinyProduct(folder.path());
  PackOptions options;
  options.stub_path = folder.File("stub.bin");
  options.description_path = folder.File("product.ini");
  options.output_path = folder.File("setup.exe");
  options.scrambled = scrambled;
  PackInstaller(options);
  return ReadWholeFile(options.output_path);
}

int64_t PayloadStartOf(const Bytes& installer) {
  ExeImage image;
  image.Assign(installer);
  ControlInfo info;
  return WalkContainerHead(image, "setup.exe", info).payload_start;
}

}  // namespace tidemark::test
