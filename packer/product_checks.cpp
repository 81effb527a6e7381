#include "packer/product_checks.h"

#include <cstdint>
#include <limits>
#include <map>
#include <set>

#include "container/byte_stream.h"
#include "container/control_info.h"
#include "container/errors.h"
#include "container/image_file.h"
#include "container/items.h"
#include "container/layout.h"
#include "packer/block_deflate.h"
#include "rules/installed_files.h"
#include "rules/path_rules.h"

namespace tidemark {
namespace {

constexpr int64_t kMaxItemSize = std::numeric_limits<int32_t>::max();
// Longest registry key name, and longest file name (AppName + ".ilg").
constexpr size_t kMaxKeyNameLength = 255;
constexpr size_t kMaxAppNameLength = kMaxKeyNameLength - 4;
// The "A" file functions take paths shorter than this.
constexpr size_t kMaxPathLength = 260;
// The folder that stands for the first part of TargetFolder on a usual system.
constexpr char kUsualProgramFiles[] = "C:\\Program Files";
constexpr char kProgramFilesPlaceholder[] = "%ProgramFiles%";

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// Folds ASCII letters that are characters of their own (not the second byte
// of a double-byte character), as Windows matches file names.
std::string FoldCase(std::string text, LeadBytePredicate is_lead_byte) {
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (is_lead_byte != nullptr && is_lead_byte(byte)) {
      ++i;
    } else if (byte >= 'A' && byte <= 'Z') {
      text[i] = static_cast<char>(byte - 'A' + 'a');
    }
  }
  return text;
}

bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20) return true;
  }
  return false;
}

bool IsDeviceName(const std::string& part) {
  const std::string stem = FoldCase(part.substr(0, part.find('.')), nullptr);
  if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

// The "\"-separated parts of a name; a "\" that is the second byte of a
// double-byte character separates nothing.
std::vector<std::string> SplitParts(const std::string& name, LeadBytePredicate is_lead_byte) {
  std::vector<std::string> parts;
  std::string_view rest = name;
  for (;;) {
    const size_t end = FirstBackslash(rest, is_lead_byte);
    parts.emplace_back(rest.substr(0, end));
    if (end == std::string_view::npos) return parts;
    rest.remove_prefix(end + 1);
  }
}

// The folders that hold the files, each as a name below the install folder.
std::set<std::string> FoldersOf(const std::vector<ProductFile>& files, LeadBytePredicate is_lead_byte) {
  std::set<std::string> folders;
  for (const ProductFile& file : files) {
    std::string folder;
    const std::vector<std::string> parts = SplitParts(file.name, is_lead_byte);
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
      folder += (i ? "\\" : "") + parts[i];
      folders.insert(FoldCase(folder, is_lead_byte));
    }
  }
  return folders;
}

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
      problems_.Fail(setting.line, "key " + setting.key + ": the value holds a line break or another control character");
    }
    if (setting.value.find(EndMarker()) != std::string::npos) {
      problems_.Fail(setting.line,
                     "key " + setting.key + ": the value holds the text that ends the control information");
    }
  }

  bool CheckFileNameValue(const ProductSetting& setting) {
    if (setting.unusable || IsSafeFileName(setting.value, lead())) return true;
    problems_.Fail(setting.line, "key " + setting.key + ": " + Shown(setting.value) +
                                     " cannot be a Windows file name (no \\ / : * ? \" < > |, not only dots and blanks)");
    return false;
  }

  bool CheckRelativePath(const ProductSetting& setting) {
    if (setting.unusable) return false;
    if (IsSafeRelativeName(setting.value, lead())) return true;
    problems_.Fail(setting.line, "key " + setting.key + ": path " + Shown(setting.value) +
                                     " is not a plain relative name: it is absolute, names a drive, has an "
                                     "empty, \".\" or \"..\" part, or holds a character Windows forbids");
    return false;
  }

  void CheckAppName(const ProductSetting& app_name) {
    if (!CheckFileNameValue(app_name)) return;
    const size_t length = code_page_.ToUtf8(app_name.value).size();
    if (length > kMaxKeyNameLength) {
      problems_.Fail(app_name.line, "key AppName is longer than the " + std::to_string(kMaxKeyNameLength) +
                                        " characters a registry key name can have (the uninstall entry)");
    } else if (length > kMaxAppNameLength) {
      problems_.Fail(app_name.line, "key AppName is longer than " + std::to_string(kMaxAppNameLength) +
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
    problems_.Fail(exe_name.line, "key ExeName: " + Shown(exe_name.value) + " is not one of the product's files");
  }

  // The installer replaces the part before the first "\" by the Program
  // Files folder and proposes the last part as the folder's name, inside
  // the parts between, which must already exist.
  void CheckTargetFolder(const ProductSetting& target) {
    const std::string& value = target.value;
    const size_t first = FirstBackslash(value, lead());
    const std::string below = first == std::string::npos ? value : value.substr(first + 1);
    if (!IsSafeRelativeName(below, lead())) {
      problems_.Fail(target.line, "key TargetFolder: " + Shown(below) +
                                      " is not a plain folder path below the Program Files folder; the "
                                      "installer proposes no folder for it");
      return;
    }
    if (first != std::string::npos && !KeyNamesEqual(value.substr(0, first), kProgramFilesPlaceholder)) {
      problems_.Warn(target.line, "key TargetFolder: the first part, " + Shown(value.substr(0, first)) +
                                      ", is replaced by the Program Files folder whatever it says; write " +
                                      kProgramFilesPlaceholder);
    }
    const std::string between = FolderWithoutSeparator(below, lead());
    if (!between.empty()) {
      problems_.Warn(target.line, "key TargetFolder: the installer proposes this folder only where \"" +
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
                                    Shown(install_folder) + ", which the installer cannot create; the longest is " +
                                    Quoted(longest->shown));
  }

  void CheckShortcutList() {
    std::map<int, const ProductSetting*> names;
    std::map<int, const ProductSetting*> paths;
    for (const ProductSetting& setting : description_.settings) {
      if (int n = ShortcutNumber(setting.key, kShortcutNameStem)) names[n] = &setting;
      if (int n = ShortcutNumber(setting.key, kShortcutPathStem)) paths[n] = &setting;
    }
    // The installer makes shortcuts 1, 2, ... up to the first missing or
    // empty name; later pairs are carried as written but never looked at.
    int end = 1;
    while (names.count(end) && !names[end]->value.empty()) ++end;
    for (const auto& [number, name] : names) {
      if (number < end) {
        CheckFileNameValue(*name);
      } else if (!name->value.empty()) {
        problems_.Warn(name->line, "key " + name->key + " comes after the first missing or empty shortcut name (" +
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
        problems_.Warn(path->line, "key " + path->key + ": " + Shown(path->value) +
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

std::string FileNameFault(const std::string& name, LeadBytePredicate is_lead_byte) {
  if (HasControlCharacter(name)) return "the name holds a control character, which the installer drops";
  if (name.find_first_of("<>") != std::string::npos) {
    return "the name holds \"<\" or \">\", which a file line cannot carry";
  }
  if (!IsSafeRelativeName(name, is_lead_byte)) {
    return "the name is not a plain relative name: it is absolute, names a drive, has an empty, \".\" or "
           "\"..\" part, holds a character Windows forbids or ends inside a double-byte character";
  }
  for (const std::string& part : SplitParts(name, is_lead_byte)) {
    if (IsDeviceName(part)) return Quoted(part) + " is a Windows device name";
    if (part.back() == '.' || part.back() == ' ') {
      return "a name part ends with \".\" or a blank, which Windows drops";
    }
  }
  return {};
}

void CheckSettings(const ProductDescription& description, const std::vector<ProductFile>& files,
                   const CodePage& code_page, Problems& problems) {
  SettingChecks(description, files, code_page, problems).Run();
}

void CheckProductFiles(const std::vector<ProductFile>& files, const std::string& app_name,
                       const CodePage& code_page, int line, Problems& problems) {
  const LeadBytePredicate lead = code_page.lead_byte();
  if (files.empty()) {
    problems.Fail(line, "the files folder holds no files; an installer needs at least one");
    return;
  }
  const std::string uninstaller = FoldCase(kUninstallerFileName, lead);
  const std::string log = FoldCase(InstallLogFileName(app_name), lead);
  std::map<std::string, const ProductFile*> folded_names;
  int64_t total = 0;
  for (const ProductFile& file : files) {
    const std::string what = "file " + Quoted(file.shown) + ": ";
    const std::string fault = FileNameFault(file.name, lead);
    if (!fault.empty()) problems.Fail(line, what + fault);
    if (file.size > kMaxItemSize) problems.Fail(line, what + "it is 2 GiB or larger");
    total += file.size;
    const std::string folded = FoldCase(file.name, lead);
    if (folded == uninstaller || folded == log) {
      problems.Fail(line, what + "it would be overwritten by the installer's own " +
                              (folded == uninstaller ? "uninstaller" : "install log"));
    }
    const auto [other, added] = folded_names.emplace(folded, &file);
    if (!added) {
      problems.Fail(line, what + "it differs from " + Quoted(other->second->shown) + " only in letter case");
    }
  }
  if (total > kMaxItemSize) problems.Fail(line, "the product's files add up to 2 GiB or more");
  const std::set<std::string> folders = FoldersOf(files, lead);
  for (const auto& [folded, file] : folded_names) {
    if (folders.count(folded)) {
      problems.Fail(line, "file " + Quoted(file->shown) + " is also a folder of other files (letter case aside)");
    }
  }
}

void CheckHeadFile(const std::string& key, const HeadFile& file, bool picture, int line, Problems& problems) {
  const std::string what = key + " " + Quoted(file.path);
  if (file.size < 1) return problems.Fail(line, what + " is empty");
  if (file.size > kMaxItemSize) return problems.Fail(line, what + " is 2 GiB or larger");
  if (!picture) return;
  // Decoded through the installer's own item reader, so that what passes
  // here is exactly what the installer can show, and decoded whole, so that
  // damage the decoder would paper over is found too.
  try {
    const auto bytes = ReadFileStorage(file.path);
    MemorySource source(ZlibStreamOf(bytes->data(), bytes->size(), 1));
    if (LoadJpegItem(source, static_cast<int32_t>(bytes->size())).patched) {
      problems.Fail(line, what + " is a damaged or cut-short JPEG image (the decoder had to fill in pixels)");
    }
  } catch (const Error& error) {
    problems.Fail(line, what + " is not a JPEG image the installer can show (" + error.what() + ")");
  }
}

}  // namespace tidemark
