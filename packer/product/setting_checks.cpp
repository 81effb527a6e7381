#include "packer/product/setting_checks.h"

#include <map>
#include <set>
#include <string>

#include "container/control_info.h"
#include "container/layout.h"
#include "packer/product/install_names.h"
#include "rules/path_rules.h"

namespace tidemark {
namespace {

// Longest registry key name, and longest file name (AppName + ".ilg").
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxAppNameLength = kMaxKeyNameLength - 4;
// The "A" file functions take paths shorter than this.
constexpr size_t kMaxPathLength = 260;
// The folder that stands for the first part of TargetFolder on a usual system.
constexpr char kUsualProgramFiles[] = "C:\\Program Files";
constexpr char kProgramFilesPlaceholder[] = "%ProgramFiles%";

class SettingChecks {
 public:
  SettingChecks(const ProductDescription& description, const std::vector<ProductFile>& files,
                const CodePage& code_page, Problems& problems)
      : description_(description), files_(files), code_page_(code_page), problems_(problems) {}

  void Run() {
    for (const ProductSetting& setting : description_.settings) {
      if (!setting.unusable) CheckValue(setting);
    }
    if (const ProductSetting* app_name = Required("AppName")) CheckAppName(*app_name);
    if (const ProductSetting* shortcut = Required("ExeShortcut")) CheckFileNameValue(*shortcut);
    if (const ProductSetting* exe_name = Required("ExeName")) CheckExeName(*exe_name);
    if (const ProductSetting* target = Required("TargetFolder")) CheckTargetFolder(*target);
    CheckShortcutList();
  }

 private:
  std::string Shown(const std::string& text) const { return Quoted(code_page_.ToUtf8(text)); }
  LeadBytePredicate lead() const { return code_page_.lead_byte(); }

  const ProductSetting* Required(const char* key) {
    const ProductSetting* setting = description_.Find(key);
    if (setting != nullptr && setting->unusable) return nullptr;
    if (setting != nullptr && !setting->value.empty()) return setting;
    problems_.Fail(setting ? setting->line : 0, "key " + std::string(key) + " is missing or empty");
    return nullptr;
  }

  void CheckValue(const ProductSetting& setting) {
    if (HasControlCharacter(setting.value)) {
      problems_.Fail(
          setting.line,
          "key " + setting.key + ": the value holds a line break or another control character");
    }
    if (setting.value.find(EndMarker()) != std::string::npos) {
      problems_.Fail(
          setting.line,
          "key " + setting.key + ": the value holds the text that ends the control information");
    }
  }

  bool CheckFileNameValue(const ProductSetting& setting) {
    if (setting.unusable || IsSafeFileName(setting.value, lead(), code_page_.number())) return true;
    problems_.Fail(setting.line,
                   "key " + setting.key + ": " + Shown(setting.value) +
                       " cannot be a Windows file name (no \\ / : * ? \" < > |, not only dots and "
                       "blanks, no \".\" or blank at the end, no device name such as NUL or COM1)");
    return false;
  }

  bool CheckRelativePath(const ProductSetting& setting) {
    if (setting.unusable) return false;
    if (IsSafeRelativeName(setting.value, lead(), code_page_.number())) return true;
    problems_.Fail(setting.line,
                   "key " + setting.key + ": path " + Shown(setting.value) +
                       " is not a plain relative name: it is absolute, names a drive, has an "
                       "empty, \".\" or \"..\" part, holds a character Windows forbids, names a "
                       "device or has a part that ends with \".\" or a blank");
    return false;
  }

  void CheckAppName(const ProductSetting& app_name) {
    if (!CheckFileNameValue(app_name)) return;
    const size_t length = code_page_.ToUtf8(app_name.value).size();
    if (length > kMaxKeyNameLength) {
      problems_.Fail(app_name.line,
                     "key AppName is longer than the " + std::to_string(kMaxKeyNameLength) +
                         " characters a registry key name can have (the uninstall entry)");
    } else if (length > kMaxAppNameLength) {
      problems_.Fail(app_name.line,
                     "key AppName is longer than " + std::to_string(kMaxAppNameLength) +
                         " characters: the install log's name, AppName + \".ilg\", would pass "
                         "the 255 a file name can have");
    }
  }

  void CheckExeName(const ProductSetting& exe_name) {
    if (!CheckRelativePath(exe_name)) return;
    const std::string folded = FoldCase(exe_name.value, lead());
    for (const ProductFile& file : files_) {
      if (FoldCase(file.name, lead()) == folded) return;
    }
    problems_.Fail(exe_name.line,
                   "key ExeName: " + Shown(exe_name.value) + " is not one of the product's files");
  }

  // The installer replaces the part before the first "\" by the Program
  // Files folder and proposes the last part as the folder's name, inside
  // the parts between, which must already exist.
  void CheckTargetFolder(const ProductSetting& target) {
    const std::string& value = target.value;
    const size_t first = FirstBackslash(value, lead());
    const std::string below = first == std::string::npos ? value : value.substr(first + 1);
    if (!IsSafeRelativeName(below, lead(), code_page_.number())) {
      problems_.Fail(target.line,
                     "key TargetFolder: " + Shown(below) +
                         " is not a plain folder path below the Program Files folder; the "
                         "installer proposes no folder for it");
      return;
    }
    if (first != std::string::npos &&
        !KeyNamesEqual(value.substr(0, first), kProgramFilesPlaceholder)) {
      problems_.Warn(target.line,
                     "key TargetFolder: the first part, " + Shown(value.substr(0, first)) +
                         ", is replaced by the Program Files folder whatever it says; write " +
                         kProgramFilesPlaceholder);
    }
    const std::string between = FolderWithoutSeparator(below, lead());
    if (!between.empty()) {
      problems_.Warn(target.line,
                     "key TargetFolder: the installer proposes this folder only where \"" +
                         std::string(kUsualProgramFiles) + "\\" + code_page_.ToUtf8(between) +
                         "\" already exists; elsewhere the user must choose one");
    }
    CheckPathLengths(target, JoinPath(kUsualProgramFiles, below));
  }

  void CheckPathLengths(const ProductSetting& target, const std::string& install_folder) {
    const ProductFile* longest = nullptr;
    size_t too_long = 0;
    for (const ProductFile& file : files_) {
      if (install_folder.size() + 1 + file.name.size() < kMaxPathLength) continue;
      ++too_long;
      if (longest == nullptr || file.name.size() > longest->name.size()) longest = &file;
    }
    if (longest == nullptr) return;
    problems_.Fail(target.line, std::to_string(too_long) + " file(s) would have install paths of " +
                                    std::to_string(kMaxPathLength) + " characters or more below " +
                                    Shown(install_folder) +
                                    ", which the installer cannot create; the longest is " +
                                    Quoted(longest->shown));
  }

  void CheckShortcutList() {
    std::map<int, const ProductSetting*> names;
    std::map<int, const ProductSetting*> paths;
    for (const ProductSetting& setting : description_.settings) {
      if (int n = ShortcutNumber(setting.key, kShortcutNameStem)) names[n] = &setting;
      if (int n = ShortcutNumber(setting.key, kShortcutPathStem)) paths[n] = &setting;
    }
    // On purpose: pairs after the first missing or empty name are packed as
    // written, with a warning only; the installer makes shortcuts 1, 2, ...
    // up to that name and never looks at the rest.
    int end = 1;
    while (names.count(end) && !names[end]->value.empty()) ++end;
    for (const auto& [number, name] : names) {
      if (number < end) {
        CheckFileNameValue(*name);
      } else if (!name->value.empty()) {
        problems_.Warn(name->line,
                       "key " + name->key +
                           " comes after the first missing or empty shortcut name (" +
                           kShortcutNameStem + std::to_string(end) +
                           "); the installer stops there and never makes this shortcut");
      }
    }
    const std::set<std::string> folders = FoldersOf(files_, lead());
    for (const auto& [number, path] : paths) {
      if (number >= end || path->value.empty() || !CheckRelativePath(*path)) continue;
      const std::string folded = FoldCase(path->value, lead());
      bool known = folders.count(folded) > 0;
      for (const ProductFile& file : files_) known = known || FoldCase(file.name, lead()) == folded;
      if (!known) {
        problems_.Warn(path->line,
                       "key " + path->key + ": " + Shown(path->value) +
                           " is neither one of the product's files nor one of its folders");
      }
    }
  }

  const ProductDescription& description_;
  const std::vector<ProductFile>& files_;
  const CodePage& code_page_;
  Problems& problems_;
};

}  // namespace

void CheckSettings(const ProductDescription& description, const std::vector<ProductFile>& files,
                   const CodePage& code_page, Problems& problems) {
  SettingChecks(description, files, code_page, problems).Run();
}

}  // namespace tidemark
