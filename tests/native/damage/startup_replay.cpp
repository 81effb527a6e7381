#include "tests/native/damage/startup_replay.h"

#include "container/container_walk.h"
#include "container/errors.h"
#include "container/items.h"
#include "container/loader.h"
#include "rules/file_entry.h"
#include "rules/folder_proposal.h"
#include "rules/installed_files.h"
#include "rules/path_rules.h"
#include "rules/shortcut_plan.h"
#include "tests/native/container/test_support.h"
#include "tests/native/damage/item_checks.h"

namespace tidemark::test {
namespace {

constexpr char kProgramFiles[] = "C:\\Program Files";

// The whole image as its items are read from it: a scrambled container
// descrambled. The item checks look at the bytes where the items lie.
Bytes PlainBytes(ExeImage& image) {
  const int64_t position = image.Position();
  Bytes plain(static_cast<size_t>(image.Size()));
  image.Seek(0);
  plain.resize(image.Read(plain.data(), plain.size()));
  image.Seek(position);
  return plain;
}

// A picture item as start-up reads it, then the same bytes once more through
// the item checks, which must accept them and stop at the same place.
void LoadPicture(ExeImage& image, const Bytes& plain, int32_t size) {
  const int64_t start = image.Position();
  LoadJpegItem(image, size);
  MemorySource item(plain.data(), static_cast<size_t>(image.Position()));
  item.Seek(start);
  ReadCheckedCompressedItem(item, plain.data(), size);
  if (item.Position() != image.Position()) throw CheckFailure("a picture item ends in two places");
}

void ReadHeadAsInstaller(ExeImage& image, const Bytes& plain, const ControlInfo& info,
                         int64_t data_start, ReplayResult& result) {
  image.Seek(data_start);
  for (const char* key : {"Splash", "Icon"}) {
    const std::string size = info.Value(key);
    if (size.empty()) continue;
    try {
      LoadPicture(image, plain, StrToInt(size));
    } catch (const Error&) {
      ++result.pictures_refused;  // shown empty; reading goes on from here
    }
  }
  ReadCheckedRawItem(image, info.IntValue("infoAbout"));
  ReadCheckedRawItem(image, info.IntValue("infoInstall"));
}

// The installation run over the file lines f1 to f<Filecount>.
void ReadFileItems(ExeImage& image, const Bytes& plain, const ControlInfo& info,
                   ReplayResult& result) {
  const int32_t count = info.IntValue("Filecount");
  for (int32_t i = 1; i <= count; ++i) {
    const FileEntry entry = SplitFileEntry(info.Value(FileEntryKey(i)));
    if (!StaysBelowFolder(entry.name)) throw Error(kFileRefusedMessage);
    const int32_t size = entry.Size();
    ReadCheckedCompressedItem(image, plain.data(), size);
    ++result.files_checked;
  }
}

// What the rest of the installation takes from the control information:
// the proposed install folder, the shortcuts and the uninstall entry.
void PlanInstallation(const ControlInfo& info) {
  const std::string install_folder =
      InitialInstallFolderLine(ProposeFolder(info.Value("TargetFolder"), kProgramFiles), true);
  const ShortcutFolders folders{install_folder, "C:\\Users\\Public\\Desktop",
                                "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs",
                                info.Value("AppName")};
  const ShortcutPlan plan = PlanShortcuts(info, folders);
  for (const std::string& link : plan.LogEntries()) {
    // A link lies directly in the desktop folder or in the program group.
    const std::string folder = FolderWithoutSeparator(link);
    if (folder != folders.desktop_folder &&
        folder != WithoutTrailingBackslashes(plan.group_folder)) {
      throw CheckFailure("shortcut " + link + " outside its folder");
    }
  }
  PlanUninstallRegistration(folders.app_name, install_folder);
}

// The head as the tools walk it, every item checked; returns the plain image.
Bytes WalkHeadAsTools(ExeImage& image, const std::string& running_file_name, ControlInfo& info) {
  ContentCheckSink splash, icon;
  DiscardSink about, licence;
  const HeadWalk walk =
      WalkContainerHead(image, running_file_name, info, {&splash, &icon, &about, &licence});
  Bytes plain = PlainBytes(image);
  if (walk.splash) CheckCompressedItem(*walk.splash, splash, plain.data(), image.Size());
  if (walk.icon) CheckCompressedItem(*walk.icon, icon, plain.data(), image.Size());
  CheckRawItem(walk.about, about.written());
  CheckRawItem(walk.licence, licence.written());
  if (walk.payload_start != image.Position())
    throw CheckFailure("PayloadStart is not where the walk stopped");
  return plain;
}

// Runs `read` and notes the message of the Error that ends it; any other
// exception (a CheckFailure among them) is not a reading failure and passes.
template <typename Read>
ReplayResult Captured(Read read) {
  ReplayResult result;
  try {
    read(result);
  } catch (const Error& error) {
    result.failure = error.what();
  }
  return result;
}

}  // namespace

ReplayResult ReplayInstaller(ExeImage& image, const std::string& running_file_name) {
  return Captured([&](ReplayResult& result) {
    ControlInfo info;
    const ContainerHead head = LoadContainerHead(image, running_file_name, info);
    // Start-up refuses a product name that would lead out of its folders.
    if (!IsAcceptableAppName(info.Value("AppName"))) throw LoadError(LoadFailure::kInitialise);
    const Bytes plain = PlainBytes(image);
    ReadHeadAsInstaller(image, plain, info, head.data_start, result);
    PlanInstallation(info);
    ReadFileItems(image, plain, info, result);
  });
}

ReplayResult ReplayToolWalk(ExeImage& image, const std::string& running_file_name) {
  return Captured([&](ReplayResult& result) {
    ControlInfo info;
    const Bytes plain = WalkHeadAsTools(image, running_file_name, info);
    ReadFileItems(image, plain, info, result);
  });
}

}  // namespace tidemark::test
