#include "tests/native/packer/packer_fixture.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "container/errors.h"
#include "container/layout.h"

namespace tidemark::test {

Bytes JpegOfSize(int width, int height, size_t size) {
  Bytes jpeg = EncodeJpeg(width, height);
  if (jpeg.size() + 4 > size) throw std::runtime_error("picture too large for the wanted size");
  // Comment segments (FF FE, length, text) right after the start-of-image marker.
  Bytes padding;
  size_t missing = size - jpeg.size();
  while (missing > 0) {
    const size_t segment = missing > 65535 + 2 ? 65535 + 2 : missing;
    const size_t length = segment - 2;  // counts itself, not the FF FE
    padding.insert(padding.end(), {0xFF, 0xFE, static_cast<uint8_t>(length >> 8),
                                   static_cast<uint8_t>(length & 0xFF)});
    padding.insert(padding.end(), length - 2, 'x');
    missing -= segment;
  }
  jpeg.insert(jpeg.begin() + 2, padding.begin(), padding.end());
  return jpeg;
}

Bytes RtfOfSize(const std::string& heading, size_t size) {
  std::string text = "{\\rtf1\\ansi{\\b " + heading + "}\\par ";
  const std::string end = "}";
  while (text.size() + end.size() < size) text += "Marrowlight by Brackwater. ";
  text.resize(size - end.size());
  return ToBytes(text + end);
}

Bytes StubBytes() { return BareStubBytes(8000); }

WorkedExample::WorkedExample(const TempFolder& folder) : root_(folder.path().string()) {
  WriteFile(stub(), StubBytes());
  WriteFile(File("splash.jpg"), JpegOfSize(128, 296, 13267));
  WriteFile(File("icon.jpg"), JpegOfSize(32, 32, 2260));
  WriteFile(File("about.rtf"), RtfOfSize("About Marrowlight", 253));
  WriteFile(File("license.rtf"), RtfOfSize("Licence", 667));
  std::filesystem::create_directories(files() + "/docs");
  std::filesystem::create_directories(files() + "/samples");
  WriteFile(files() + "/Marrowlight.exe", Concat({ToBytes("MZ"), TextLikeBytes(635902, 1)}));
  WriteFile(files() + "/docs/Manual.pdf", RandomBytes(58572, 2));
  WriteFile(files() + "/samples/First.dat", TextLikeBytes(104, 3));
  WriteDescription(DescriptionLines());
}

std::vector<std::string> WorkedExample::DescriptionLines() {
  // On purpose: UninstallEntry=plain, so that the container is the one every
  // installer reads, without the uninstall entry's further keys.
  return {"AppName=Marrowlight",
          "AppCompany=by Brackwater",
          "TargetFolder=%ProgramFiles%\\Marrowlight",
          "ExeName=Marrowlight.exe",
          "ExeShortcut=Marrowlight",
          "ShortcutName1=Marrowlight Manual",
          "ShortcutPath1=docs\\Manual.pdf",
          "ShortcutName2=",
          "ShortcutPath2=",
          "SplashFile=splash.jpg",
          "IconFile=icon.jpg",
          "AboutFile=about.rtf",
          "LicenseFile=license.rtf",
          "FilesFolder=files",
          "UninstallEntry=plain"};
}

void WorkedExample::WriteDescription(const std::vector<std::string>& lines) const {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  WriteFile(description(), ToBytes(text));
}

std::vector<std::string> WorkedExampleControlLines() {
  return {StartMarker(),
          "[Settings]",
          "Splash=13267",
          "Icon=2260",
          "Filecount=3",
          "Filebytes=694580",
          "ExeName=Marrowlight.exe",
          "ExeShortcut=Marrowlight",
          "ShortcutName1=Marrowlight Manual",
          "ShortcutPath1=docs\\Manual.pdf",
          "ShortcutName2=",
          "ShortcutPath2=",
          "TargetFolder=%ProgramFiles%\\Marrowlight",
          "AppName=Marrowlight",
          "AppCompany=by Brackwater",
          "InfoAbout=253",
          "InfoInstall=667",
          "TidemarkCodePage=1252",
          "[Files]",
          "f1=<Marrowlight.exe><635904>",
          "f2=<docs\\Manual.pdf><58572>",
          "f3=<samples\\First.dat><104>",
          EndMarker()};
}

int RunTidemark(const std::string& arguments, std::string* output) {
  const TempFolder folder;
  const std::string log = folder.File("output.txt");
  const std::string command = std::string(TIDEMARK_EXE) + " " + arguments + " >" + log + " 2>&1";
  const int status = std::system(command.c_str());
  if (output) {
    const Bytes bytes = ReadWholeFile(log);
    output->assign(bytes.begin(), bytes.end());
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string CommandFault(void (*command)(const std::string&, std::ostream&),
                         const std::string& path) {
  std::ostringstream out;
  try {
    command(path, out);
  } catch (const Error& error) {
    return error.what();
  }
  return "";
}

}  // namespace tidemark::test
