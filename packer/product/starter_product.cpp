#include "packer/product/starter_product.h"

#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "codecs/jpeg_encoder.h"
#include "container/errors.h"

namespace fs = std::filesystem;

namespace tidemark {
namespace {

constexpr char kProductFile[] =
    "; A product for the tidemark packer (docs/product-file.md describes every key).\n"
    "; UTF-8 text; blanks around \"=\" and at the end of a line are not part of it.\n"
    "; build: tidemark build --stub tidemark-stub.exe --product product.ini --out setup.exe\n"
    "\n"
    "; The product's name: window title, program group, uninstall entry, log name.\n"
    "AppName=My Product\n"
    "; The line under the title.\n"
    "AppCompany=by My Company\n"
    "; The proposed folder: the first part stands for the Program Files folder.\n"
    "TargetFolder=%ProgramFiles%\\My Product\n"
    "; The main program, relative to the install folder (one of the files below).\n"
    "ExeName=ReadMe.txt\n"
    "; The name of its shortcuts on the desktop and in the program group.\n"
    "ExeShortcut=My Product\n"
    "; Further shortcuts in the program group, numbered from 1 without gaps.\n"
    ";ShortcutName1=My Product Manual\n"
    ";ShortcutPath1=docs\\Manual.pdf\n"
    "\n"
    "; The uninstall entry in Windows' list of installed programs: the version\n"
    "; (default: SetupVersion), the publisher (default: SetupCompanyName, else\n"
    "; AppCompany without \"by \") and two links. UninstallEntry=plain leaves\n"
    "; all of them out.\n"
    "AppVersion=1.0\n"
    "AppPublisher=My Company\n"
    ";AppAboutUrl=https://www.example.com/\n"
    ";AppHelpUrl=https://www.example.com/support\n"
    ";UninstallEntry=plain\n"
    "\n"
    "; The installer executable's own icon and version information (Explorer's\n"
    "; Properties, Details), read by the packer alone. SetupIconFile is a Windows\n"
    "; icon file (.ico) of yours; without it the installer has the stub's icon.\n"
    "; SetupVersion, one to four numbers, writes the version information, and\n"
    "; the other texts need it; they default to AppName, AppPublisher (else\n"
    "; AppCompany without \"by \") and AppName, the copyright to none.\n"
    ";SetupIconFile=setup.ico\n"
    ";SetupVersion=1.0\n"
    ";SetupProductName=My Product\n"
    ";SetupCompanyName=My Company\n"
    ";SetupDescription=My Product Setup\n"
    ";SetupCopyright=Copyright 2026 My Company\n"
    "\n"
    "; What the packer reads, relative to this file.\n"
    "; The splash, shown at 128 x 296 pixels (stretched), a JPEG.\n"
    "SplashFile=splash.jpg\n"
    "; The icon picture at the top of the window, shown at 32 x 32 pixels\n"
    "; (clipped), a JPEG; may be left out. The installer file's icon is\n"
    "; SetupIconFile above.\n"
    "IconFile=icon.jpg\n"
    "; The about and licence texts: Rich Text Format or plain text.\n"
    "AboutFile=about.rtf\n"
    "LicenseFile=license.rtf\n"
    "; Everything below this folder is installed, sub-folders kept.\n"
    "FilesFolder=files\n";

constexpr char kAbout[] =
    "{\\rtf1\\ansi{\\b My Product} by My Company\\par\n"
    "Replace this text with a few lines about your product.\\par}\n";

constexpr char kLicense[] =
    "{\\rtf1\\ansi{\\b Licence}\\par\n"
    "Replace this text with your product's licence. The user accepts it before installing.\\par}\n";

constexpr char kReadMe[] =
    "Replace the content of this folder with your product's files,\r\n"
    "and name the main program in ExeName of product.ini.\r\n";

// A placeholder picture: a vertical gradient from one colour to another.
std::vector<unsigned char> GradientJpeg(int width, int height, const unsigned char top[3],
                                        const unsigned char bottom[3]) {
  return EncodeJpeg(width, height, 3, 90, [&](int y, uint8_t* row) {
    for (int x = 0; x < width; ++x) {
      for (int c = 0; c < 3; ++c) {
        row[static_cast<size_t>(x) * 3 + c] = static_cast<unsigned char>(
            top[c] + (bottom[c] - top[c]) * y / (height > 1 ? height - 1 : 1));
      }
    }
  });
}

void Write(const fs::path& path, const void* data, size_t size) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  file.close();
  if (!file) throw Error("cannot write \"" + path.string() + "\"");
}

void WriteText(const fs::path& path, const std::string& text) {
  Write(path, text.data(), text.size());
}

}  // namespace

void WriteStarterProduct(const std::string& folder) {
  std::error_code error;
  if (fs::exists(folder, error) &&
      !(fs::is_directory(folder, error) && fs::is_empty(folder, error))) {
    throw Error("\"" + folder +
                "\" exists and is not an empty folder; init writes only into a new or empty one");
  }
  const fs::path root(folder);
  fs::create_directories(root / "files", error);
  if (error)
    throw Error("cannot create the folder \"" + (root / "files").string() +
                "\": " + error.message());
  WriteText(root / "product.ini", kProductFile);
  WriteText(root / "about.rtf", kAbout);
  WriteText(root / "license.rtf", kLicense);
  WriteText(root / "files" / "ReadMe.txt", kReadMe);
  const unsigned char navy[3] = {24, 48, 96}, sky[3] = {120, 170, 220}, amber[3] = {230, 160, 40};
  const std::vector<unsigned char> splash = GradientJpeg(128, 296, navy, sky);
  Write(root / "splash.jpg", splash.data(), splash.size());
  const std::vector<unsigned char> icon = GradientJpeg(32, 32, amber, navy);
  Write(root / "icon.jpg", icon.data(), icon.size());
}

}  // namespace tidemark
