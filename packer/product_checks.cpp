#include "packer/product_checks.h"

#include <cctype>
#include <cstdint>
#include <limits>
#include <map>
#include <set>

#include "container/byte_stream.h"
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

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string FoldAsciiCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

bool HasControlCharacter(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20) return true;
  }
  return false;
}

bool IsDeviceName(const std::string& part) {
  const std::string stem = FoldAsciiCase(part.substr(0, part.find('.')));
  if (stem == "con" || stem == "prn" || stem == "aux" || stem == "nul") return true;
  return stem.size() == 4 && (stem.compare(0, 3, "com") == 0 || stem.compare(0, 3, "lpt") == 0) &&
         stem[3] >= '1' && stem[3] <= '9';
}

std::vector<std::string> SplitParts(const std::string& name) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t end = name.find('\\', start);
    parts.push_back(name.substr(start, end - start));
    if (end == std::string::npos) return parts;
    start = end + 1;
  }
}

// A value that the installer uses as one file name.
void CheckFileNameValue(const std::string& key, const std::string& value) {
  if (!IsSafeFileName(value)) {
    throw Error("key " + key + ": " + Quoted(value) +
                " cannot be a Windows file name (no \\ / : * ? \" < > |, not only dots and blanks)");
  }
}

const std::string& RequiredValue(const ProductDescription& description, const char* key) {
  const ProductSetting* setting = description.Find(key);
  if (setting == nullptr || setting->value.empty()) {
    throw Error("key " + std::string(key) + " is missing or empty in the product description");
  }
  return setting->value;
}

void CheckShortcutList(const ProductDescription& description) {
  std::map<int, const ProductSetting*> names;
  std::map<int, const ProductSetting*> paths;
  for (const ProductSetting& setting : description.settings) {
    if (int n = ShortcutNumber(setting.key, kShortcutNameStem)) names[n] = &setting;
    if (int n = ShortcutNumber(setting.key, kShortcutPathStem)) paths[n] = &setting;
  }
  // The installer makes shortcuts 1, 2, ... up to the first missing or empty
  // name; later pairs are carried as written but never looked at, so only the
  // pairs it uses are checked.
  int end = 1;
  while (names.count(end) && !names[end]->value.empty()) ++end;
  for (const auto& [number, name] : names) {
    if (number < end) CheckFileNameValue(name->key, name->value);
  }
  for (const auto& [number, path] : paths) {
    if (number < end && !path->value.empty()) {
      CheckRelativePath("key " + path->key + ": path", path->value);
    }
  }
}

}  // namespace

void CheckRelativePath(const std::string& what, const std::string& name) {
  if (!IsSafeRelativeName(name)) {
    throw Error(what + " " + Quoted(name) +
                " is not a plain relative name: it is absolute, names a drive, has an empty, \".\" "
                "or \"..\" part, or holds a character Windows forbids");
  }
}

void CheckControlValue(const std::string& key, const std::string& value) {
  if (HasControlCharacter(value)) {
    throw Error("key " + key + ": the value holds a line break or another control character");
  }
  if (value.find(EndMarker()) != std::string::npos) {
    throw Error("key " + key + ": the value holds the text that ends the control information");
  }
}

void CheckProductFileName(const std::string& name) {
  const std::string what = "file " + Quoted(name);
  if (HasControlCharacter(name)) {
    throw Error(what + ": the name holds a control character, which the installer drops");
  }
  if (name.find_first_of("<>") != std::string::npos) {
    throw Error(what + ": the name holds \"<\" or \">\", which a file line cannot carry");
  }
  CheckRelativePath("file", name);
  for (const std::string& part : SplitParts(name)) {
    if (IsDeviceName(part)) {
      throw Error(what + ": " + Quoted(part) + " is a Windows device name");
    }
    if (part.back() == '.' || part.back() == ' ') {
      throw Error(what + ": a name part ends with \".\" or a blank, which Windows drops");
    }
  }
}

void CheckSettings(const ProductDescription& description, const std::vector<ProductFile>& files) {
  for (const ProductSetting& setting : description.settings) {
    CheckControlValue(setting.key, setting.value);
  }
  CheckFileNameValue("AppName", RequiredValue(description, "AppName"));
  CheckFileNameValue("ExeShortcut", RequiredValue(description, "ExeShortcut"));
  RequiredValue(description, "TargetFolder");
  const std::string& exe_name = RequiredValue(description, "ExeName");
  CheckRelativePath("key ExeName: path", exe_name);
  bool found = false;
  for (const ProductFile& file : files) found = found || FoldAsciiCase(file.name) == FoldAsciiCase(exe_name);
  if (!found) {
    throw Error("key ExeName: " + Quoted(exe_name) + " is not one of the product's files");
  }
  CheckShortcutList(description);
}

void CheckProductFiles(const std::vector<ProductFile>& files, const std::string& app_name) {
  if (files.empty()) throw Error("the files folder holds no files; an installer needs at least one");
  const std::string uninstaller = FoldAsciiCase(kUninstallerFileName);
  const std::set<std::string> reserved = {uninstaller, FoldAsciiCase(InstallLogFileName(app_name))};
  std::set<std::string> folded_names;
  int64_t total = 0;
  for (const ProductFile& file : files) {
    CheckProductFileName(file.name);
    if (file.size > kMaxItemSize) throw Error("file " + Quoted(file.name) + " is 2 GiB or larger");
    total += file.size;
    const std::string folded = FoldAsciiCase(file.name);
    if (reserved.count(folded)) {
      throw Error("file " + Quoted(file.name) + " would be overwritten by the installer's own " +
                  (folded == uninstaller ? "uninstaller" : "install log"));
    }
    if (!folded_names.insert(folded).second) {
      throw Error("file " + Quoted(file.name) + " differs from another only in letter case");
    }
  }
  if (total > kMaxItemSize) throw Error("the product's files add up to 2 GiB or more");
  for (const std::string& name : folded_names) {
    for (size_t cut = name.find('\\'); cut != std::string::npos; cut = name.find('\\', cut + 1)) {
      if (folded_names.count(name.substr(0, cut))) {
        throw Error("\"" + name.substr(0, cut) + "\" is both a file and a folder (letter case aside)");
      }
    }
  }
}

void CheckHeadFile(const std::string& key, const HeadFile& file) {
  if (!file.present()) throw Error("key " + key + " is missing in the product description");
  if (file.size < 1) throw Error(key + " " + Quoted(file.path) + " is empty");
  if (file.size > kMaxItemSize) throw Error(key + " " + Quoted(file.path) + " is 2 GiB or larger");
}

void CheckJpegFile(const std::string& key, const HeadFile& file) {
  const auto bytes = ReadFileStorage(file.path);
  // Decode it through the installer's own item reader, so that what passes
  // here is exactly what the installer can show.
  MemorySource source(ZlibStreamOf(bytes->data(), bytes->size(), 1));
  try {
    LoadJpegItem(source, static_cast<int32_t>(bytes->size()));
  } catch (const Error& error) {
    throw Error(key + " " + Quoted(file.path) + " is not a JPEG image the installer can show (" +
                error.what() + ")");
  }
}

}  // namespace tidemark
