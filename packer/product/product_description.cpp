#include "packer/product/product_description.h"

#include <filesystem>
#include <string>

#include "container/control_info.h"
#include "container/errors.h"
#include "container/image_file.h"
#include "packer/product/code_page.h"
#include "packer/product/setup_keys.h"

namespace tidemark {
namespace {

constexpr const char* kVendorKeys[] = {"AppName",      "AppCompany",  "TargetFolder",
                                       "ExeName",      "ExeShortcut", "AppVersion",
                                       "AppPublisher", "AppAboutUrl", "AppHelpUrl"};

// The canonical spelling of a vendor key, or empty when `key` is none.
std::string VendorKey(std::string_view key) {
  for (const char* known : kVendorKeys) {
    if (KeyNamesEqual(key, known)) return known;
  }
  for (const char* stem : {kShortcutNameStem, kShortcutPathStem}) {
    const int number = ShortcutNumber(key, stem);
    if (number > 0) return stem + std::to_string(number);
  }
  return {};
}

// The packer's own setting that `key` names, or nullptr.
std::string* PackerPath(ProductDescription& description, std::string_view key) {
  struct Entry {
    const char* key;
    std::string ProductDescription::*member;
  };
  static const Entry kEntries[] = {{"SplashFile", &ProductDescription::splash_file},
                                   {"IconFile", &ProductDescription::icon_file},
                                   {"AboutFile", &ProductDescription::about_file},
                                   {"LicenseFile", &ProductDescription::license_file},
                                   {"FilesFolder", &ProductDescription::files_folder},
                                   {"UninstallEntry", &ProductDescription::uninstall_entry}};
  for (const Entry& entry : kEntries) {
    if (KeyNamesEqual(key, entry.key)) return &(description.*entry.member);
  }
  return nullptr;
}

// Keys that the packer writes itself from what it packs.
bool IsComputedKey(std::string_view key) {
  for (const char* computed : {"Splash", "Icon", "InfoAbout", "InfoInstall", "Filecount",
                               "Filebytes", "AppIconFile", "AppSize"}) {
    if (KeyNamesEqual(key, computed)) return true;
  }
  return key.size() > 1 && (key[0] == 'f' || key[0] == 'F') &&
         key.find_first_not_of("0123456789", 1) == std::string_view::npos;
}

constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// `text` without blanks (spaces and tabs) at either end.
std::string_view WithoutBlanks(std::string_view text) {
  const size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool IsIgnoredLine(std::string_view line) {
  if (line.empty() || line[0] == ';' || line[0] == '#') return true;
  return line.front() == '[' && line.back() == ']' && line.find('=') == std::string_view::npos;
}

}  // namespace

const ProductSetting* ProductDescription::Find(std::string_view key) const {
  for (const ProductSetting& setting : settings) {
    if (setting.key == key) return &setting;
  }
  return nullptr;
}

bool ProductDescription::FullUninstallEntry() const {
  return !KeyNamesEqual(uninstall_entry, kPlainUninstallEntry);
}

int ProductDescription::PackerLine(std::string_view key) const {
  for (const ProductSetting& setting : packer_settings) {
    if (KeyNamesEqual(setting.key, key)) return setting.line;
  }
  return 0;
}

int ShortcutNumber(std::string_view key, std::string_view stem) {
  if (key.size() <= stem.size() || !KeyNamesEqual(key.substr(0, stem.size()), stem)) {
    return 0;
  }
  const std::string_view digits = key.substr(stem.size());
  if (digits[0] == '0' || digits.size() > 6) return 0;
  int number = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return 0;
    number = number * 10 + (c - '0');
  }
  return number;
}

ProductDescription ParseProductDescription(std::string_view text, Problems& problems) {
  ProductDescription description;
  if (text.substr(0, sizeof kByteOrderMark - 1) == kByteOrderMark)
    text.remove_prefix(sizeof kByteOrderMark - 1);
  int line_number = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = WithoutBlanks(line);
    if (IsIgnoredLine(line)) continue;
    if (FirstNonUtf8Byte(line) != std::string_view::npos) {
      problems.Fail(line_number, "the line is not UTF-8 text; save the product file as UTF-8");
      continue;
    }

    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
      problems.Fail(line_number, "expected name=value, found \"" + std::string(line) + "\"");
      continue;
    }
    const std::string_view key = WithoutBlanks(line.substr(0, equals));
    const std::string value(WithoutBlanks(line.substr(equals + 1)));

    if (std::string* path = PackerPath(description, key)) {
      if (description.PackerLine(key) > 0) {
        problems.Fail(line_number, "key \"" + std::string(key) + "\" is given twice");
        continue;
      }
      description.packer_settings.push_back({std::string(key), value, line_number});
      *path = value;
      continue;
    }
    if (const std::string setup_key = SetupKey(key); !setup_key.empty()) {
      for (const ProductSetting& seen : description.setup_settings) {
        if (seen.key == setup_key)
          problems.Fail(line_number, "key \"" + setup_key + "\" is given twice");
      }
      description.setup_settings.push_back({setup_key, value, line_number});
      continue;
    }
    const std::string canonical = VendorKey(key);
    if (canonical.empty() && IsComputedKey(key)) {
      problems.Fail(line_number,
                    "key \"" + std::string(key) + "\" is computed by the packer; leave it out");
    } else if (canonical.empty()) {
      problems.Fail(line_number, "unknown key \"" + std::string(key) + "\"");
    } else if (description.Find(canonical) != nullptr) {
      problems.Fail(line_number, "key \"" + canonical + "\" is given twice");
    } else {
      description.settings.push_back({canonical, value, line_number});
    }
  }
  return description;
}

ProductDescription ParseProductDescription(std::string_view text) {
  Problems problems("product description");
  ProductDescription description = ParseProductDescription(text, problems);
  for (const Problem& problem : problems.list()) {
    if (!problem.warning) throw Error(problems.Describe(problem));
  }
  return description;
}

ProductDescription LoadProductDescription(const std::string& path, Problems& problems) {
  const auto storage = ReadFileStorage(path);
  const std::string_view text(reinterpret_cast<const char*>(storage->data()), storage->size());
  ProductDescription description = ParseProductDescription(text, problems);
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  for (std::string* relative :
       {&description.splash_file, &description.icon_file, &description.about_file,
        &description.license_file, &description.files_folder}) {
    if (!relative->empty()) *relative = (folder / *relative).string();
  }
  return description;
}

}  // namespace tidemark
