#include "app/steps/startup.h"

#include <windows.h>

#include <exception>

#include "container/errors.h"
#include "container/items.h"
#include "container/loader.h"
#include "rules/installed_files.h"
#include "system/file_system.h"
#include "system/path.h"
#include "system/registry.h"

#include "app/steps/whole_file.h"

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

std::optional<std::string> LoadFailureOf(const std::function<void()>& load) {
  try {
    load();
    return std::nullopt;
  } catch (const LoadError& error) {
    return error.what();
  } catch (const std::exception&) {
    return LoadFailureMessage(LoadFailure::kInitialise);
  }
}

void LookUpFolders(Session& session) {
  session.programsFolder = ReadFirstShellFolder("Common Programs", "Programs");
  session.desktopFolder = ReadFirstShellFolder("Common Desktop", "Desktop");
  session.programFilesFolder = ReadRegStringReadOnly(kCurrentVersionKey, "ProgramFilesDir");
  if (session.programFilesFolder.empty()) session.programFilesFolder = kDefaultProgramFiles;
}

void OpenContainer(Session& session, StepReport& report) {
  session.controlInfo.Clear();
  session.installLog.Clear();
  session.exeFile.Open(RunningExecutablePath());
  try {
    session.exeImage.Assign(session.exeFile.ReadImage());
  } catch (const std::exception& error) {
    report.Message(BoxKind::kInformation, error.what(), {BoxButton::kOk});
  }
  session.exeImage.Seek(0);
  const ContainerHead head =
      LoadContainerHead(session.exeImage, RunningExecutableName(), session.controlInfo);
  session.dataStart = head.data_start;
  session.scrambled = head.scrambled;
  // Refused before anything is written, in either mode: the packer never
  // writes such a name, so the container has been tampered with.
  if (!IsAcceptableAppName(session.controlInfo.Value("AppName"), IsAnsiLeadByte, GetACP())) {
    throw LoadError(LoadFailure::kInitialise);
  }
  session.appName = session.controlInfo.Value("AppName");
  session.appCompany = session.controlInfo.Value("AppCompany");
}

void ReadHeadImages(Session& session, const std::function<void(HeadImage, RgbImage)>& show) {
  session.exeImage.Seek(session.dataStart);
  const struct {
    const char* key;
    HeadImage image;
  } items[] = {{"Splash", HeadImage::kSplash}, {"Icon", HeadImage::kIcon}};
  for (const auto& item : items) {
    const std::string size = session.controlInfo.Value(item.key);
    if (size.empty()) continue;
    show(item.image, RgbImage{});
    try {
      show(item.image, LoadJpegItem(session.exeImage, StrToInt(size)));
    } catch (const std::exception&) {
      // The read position stays where the failed decoding left it.
    }
  }
}

void ReadHeadTexts(Session& session,
                   const std::function<void(HeadText, const std::vector<uint8_t>&)>& show) {
  show(HeadText::kAbout,
       LoadRichTextItem(session.exeImage, session.controlInfo.IntValue("infoAbout")));
  show(HeadText::kLicence,
       LoadRichTextItem(session.exeImage, session.controlInfo.IntValue("infoInstall")));
}

bool LoadUninstallLog(Session& session) {
  const std::string log_path =
      AnsiFolderPart(RunningExecutablePath()) + InstallLogFileName(session.appName);
  if (!FileExists(log_path)) {
    session.payloadStart = session.exeImage.Position();
    return false;
  }
  session.installLog.LoadText(ReadWholeFile(log_path));
  return true;
}

}  // namespace tidemark
