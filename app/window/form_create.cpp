// Start-up: FormCreate and its steps, in the order they run.
#include <exception>
#include <string>

#include "app/controls/flat_button.h"
#include "app/controls/message_box.h"
#include "app/controls/picture_control.h"
#include "app/controls/rich_text_view.h"
#include "app/window/button_images.h"
#include "app/window/install.h"
#include "container/errors.h"
#include "container/items.h"
#include "container/loader.h"
#include "resources/layout.h"
#include "rules/installed_files.h"
#include "system/path.h"
#include "system/registry.h"

namespace tidemark {
namespace {

constexpr char kShellFoldersKey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
constexpr char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr char kDefaultProgramFiles[] = "C:\\Program Files";

// The value of the first name that gives a non-empty text.
std::string ReadFirstShellFolder(const char* preferred, const char* fallback) {
  std::string folder = ReadRegString(kShellFoldersKey, preferred);
  if (folder.empty()) folder = ReadRegString(kShellFoldersKey, fallback);
  return folder;
}

}  // namespace

void TfrmInstall::FormCreate() {
  if (!LoadContainer()) return;
  LoadHeadImages();
  ShowHeaderTexts();
  try {
    ProposeInstallFolder();
  } catch (const std::exception&) {
    // A folder that cannot be proposed leaves the folder line empty.
  }
  // A failure from here on leaves FormCreate at once and is shown by the
  // default error report; the window still opens.
  LoadTexts();
  TestUninstallMode();
}

// Everything up to the parsed control information. A failure in any of
// these steps is fatal: it is shown as one of the four damaged-installer
// messages and the program ends without the window ever being shown.
bool TfrmInstall::LoadContainer() {
  std::string failure;
  try {
    ChooseFonts();
    ShowPage(ids::kTabIntro);
    AssignButtonImages();
    LookUpFolders();
    session.controlInfo.Clear();
    session.installLog.Clear();
    session.exeFile.Open(RunningExecutablePath());
    try {
      session.exeImage.Assign(session.exeFile.ReadImage());
    } catch (const std::exception& error) {
      ShowMessage(handle(), BoxKind::kInformation, error.what(), {BoxButton::kOk});
    }
    session.exeImage.Seek(0);
    const ContainerHead head =
        LoadContainerHead(session.exeImage, RunningExecutableName(), session.controlInfo);
    session.dataStart = head.data_start;
    session.scrambled = head.scrambled;
    // Refused before anything is written, in either mode: the packer never
    // writes such a name, so the container has been tampered with.
    if (!IsAcceptableAppName(session.controlInfo.Value("AppName"), IsAnsiLeadByte)) {
      throw LoadError(LoadFailure::kInitialise);
    }
    return true;
  } catch (const LoadError& error) {
    failure = error.what();
  } catch (const std::exception&) {
    failure = LoadFailureMessage(LoadFailure::kInitialise);
  }
  ShowMessage(handle(), BoxKind::kError, failure, {BoxButton::kAbort});
  RequestProgramEnd();
  return false;
}

void TfrmInstall::ChooseFonts() {
  if (!FontFamilyInstalled(layout::kUiFontName)) return;  // the design fonts stay
  WindowFonts fonts = CreateWindowFonts(ChooseWindowFont(FontFamilyInstalled));
  ApplyFonts(fonts);
  fonts_ = std::move(fonts);  // the controls no longer use the old ones
}

void TfrmInstall::AssignButtonImages() {
  for (size_t i = 0; i < layout::kButtonImageAssignments; ++i) {
    const layout::ButtonImageSpec& assignment = layout::kButtonImages[i];
    HWND button = Control(assignment.button);
    if (button != nullptr) SetFlatButtonImage(button, button_images_.get(), assignment.image);
  }
}

void TfrmInstall::LookUpFolders() {
  session.programsFolder = ReadFirstShellFolder("Common Programs", "Programs");
  session.desktopFolder = ReadFirstShellFolder("Common Desktop", "Desktop");
  session.programFilesFolder = ReadRegStringReadOnly(kCurrentVersionKey, "ProgramFilesDir");
  if (session.programFilesFolder.empty()) session.programFilesFolder = kDefaultProgramFiles;
}

// The splash and the icon. The items start at DataStart; a container
// without a splash is read from there too (reading on from the end marker's
// line break would take those two bytes for the next item). A picture that
// cannot be decoded stays empty, silently.
void TfrmInstall::LoadHeadImages() {
  session.exeImage.Seek(session.dataStart);
  const struct {
    const char* key;
    ids::ControlId picture;
  } items[] = {{"Splash", ids::kImgSplash}, {"Icon", ids::kImgIcon}};
  for (const auto& item : items) {
    const std::string size = session.controlInfo.Value(item.key);
    if (size.empty()) continue;
    HWND picture = Control(item.picture);
    SetPictureImage(picture, RgbImage{});
    try {
      SetPictureImage(picture, LoadJpegItem(session.exeImage, StrToInt(size)));
    } catch (const std::exception&) {
      // The read position stays where the failed decoding left it.
    }
  }
}

void TfrmInstall::ShowHeaderTexts() {
  session.appName = session.controlInfo.Value("AppName");
  SetControlText(ids::kLabTitle, session.appName);
  session.appCompany = session.controlInfo.Value("AppCompany");
  SetControlText(ids::kLabCompany, session.appCompany);
  SetControlText(ids::kLabWelcome, "Welcome.  This program will install " + session.appName +
                                       ".  It is recommended that you exit all other programs" +
                                       " before continuing.");
}

void TfrmInstall::LoadTexts() {
  LoadRichText(Control(ids::kRichAbout),
               LoadRichTextItem(session.exeImage, session.controlInfo.IntValue("infoAbout")));
  LoadRichText(Control(ids::kRichLicense),
               LoadRichTextItem(session.exeImage, session.controlInfo.IntValue("infoInstall")));
}

}  // namespace tidemark
