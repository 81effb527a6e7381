#include "packer/product/product_description.h"

#include <filesystem>
#include <string>

#include "container/control_info.h"
#include "container/errors.h"
#include "container/image_file.h"
#include "packer/product/code_page.h"
#include "packer/product/key_hints.h"
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

// The packer's own keys and where their values go.
struct PackerEntry {
  const char* key;
  std::string ProductDescription::*member;
};
const PackerEntry kPackerEntries[] = {{"SplashFile", &ProductDescription::splash_file},
                                      {"IconFile", &ProductDescription::icon_file},
                                      {"AboutFile", &ProductDescription::about_file},
                                      {"LicenseFile", &ProductDescription::license_file},
                                      {"FilesFolder", &ProductDescription::files_folder},
                                      {"UninstallEntry", &ProductDescription::uninstall_entry}};

// The packer's own setting that `key` names, or nullptr.
std::string* PackerPath(ProductDescription& description, std::string_view key) {
  for (const PackerEntry& entry : kPackerEntries) {
    if (KeyNamesEqual(key, entry.key)) return &(description.*entry.member);
  }
  return nullptr;
}

// Every key a product file may give, but the numbered shortcut keys.
const std::vector<std::string>& KnownKeys() {
  static const std::vector<std::string> kKnown = [] {
    std::vector<std::string> known(std::begin(kVendorKeys), std::end(kVendorKeys));
    for (const PackerEntry& entry : kPackerEntries) known.emplace_back(entry.key);
    for (const char* key : SetupKeys()) known.emplace_back(key);
    return known;
  }();
  return kKnown;
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

// The setting of `list` whose key is `key` (letter case aside), or nullptr.
ProductSetting* FindKey(std::vector<ProductSetting>& list, std::string_view key) {
  for (ProductSetting& setting : list) {
    if (KeyNamesEqual(setting.key, key)) return &setting;
  }
  return nullptr;
}

// Adds `setting` to `list`; a --set option takes the place of the product
// file's line for the same key. Returns false, with the problem noted, for
// a key given twice.
bool Record(std::vector<ProductSetting>& list, ProductSetting setting, Problems& problems) {
  ProductSetting* seen = FindKey(list, setting.key);
  if (seen == nullptr) {
    list.push_back(std::move(setting));
    return true;
  }
  if (seen->line > 0 && setting.line < 0) {
    *seen = std::move(setting);
    return true;
  }
  // On purpose: a key set twice by --set is refused as in the file, so that
  // a pipeline that sets it twice learns which value it meant.
  problems.Fail(setting.line, "key \"" + setting.key + "\" is given twice (first " +
                                  (seen->line > 0 ? "on " : "in ") + problems.Place(seen->line) +
                                  ")");
  return false;
}

// One line (or --set option) without blanks at its ends, at `line_number`.
void ReadLine(ProductDescription& description, std::string_view line, int line_number,
              Problems& problems) {
  if (FirstNonUtf8Byte(line) != std::string_view::npos) {
    problems.Fail(line_number, line_number > 0
                                   ? "the line is not UTF-8 text; save the product file as UTF-8"
                                   : "the option is not UTF-8 text");
    return;
  }
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) {
    problems.Fail(line_number, "expected name=value, found \"" + std::string(line) + "\"");
    return;
  }
  const std::string_view key = WithoutBlanks(line.substr(0, equals));
  const std::string value(WithoutBlanks(line.substr(equals + 1)));

  if (std::string* path = PackerPath(description, key)) {
    if (Record(description.packer_settings, {std::string(key), value, line_number}, problems))
      *path = value;
    return;
  }
  if (const std::string setup_key = SetupKey(key); !setup_key.empty()) {
    Record(description.setup_settings, {setup_key, value, line_number}, problems);
    return;
  }
  const std::string canonical = VendorKey(key);
  if (canonical.empty() && IsComputedKey(key)) {
    problems.Fail(line_number,
                  "key \"" + std::string(key) + "\" is computed by the packer; leave it out");
  } else if (canonical.empty()) {
    problems.Fail(line_number,
                  "unknown key \"" + std::string(key) + "\"" + KeyHint(key, KnownKeys()));
  } else {
    Record(description.settings, {canonical, value, line_number}, problems);
  }
}

}  // namespace

const ProductSetting* ProductDescription::Find(std::string_view key) const {
  for (const ProductSetting& setting : settings) {
    if (setting.key == key) return &setting;
  }
  return nullptr;
}

ProductSetting ProductDescription::Company() const {
  const ProductSetting* publisher = Find("AppPublisher");
  if (publisher && !publisher->value.empty()) return *publisher;
  const ProductSetting* company = Find("AppCompany");
  if (company == nullptr) return {};
  ProductSetting name = *company;
  // "by" and the blanks after it, in any letter case, when a name follows.
  const std::string_view value = name.value;
  if (value.size() > 2 && KeyNamesEqual(value.substr(0, 2), "by") &&
      (value[2] == ' ' || value[2] == '\t')) {
    const std::string_view rest = WithoutBlanks(value.substr(2));
    if (!rest.empty()) name.value = std::string(rest);
  }
  return name;
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
    if (!IsIgnoredLine(line)) ReadLine(description, line, line_number, problems);
  }
  return description;
}

void ApplySetOptions(ProductDescription& description, const std::vector<std::string>& set_options,
                     Problems& problems) {
  for (size_t i = 0; i < set_options.size(); ++i)
    ReadLine(description, WithoutBlanks(set_options[i]), SetOptionLine(i), problems);
}

ProductDescription ParseProductDescription(std::string_view text) {
  Problems problems("product description");
  ProductDescription description = ParseProductDescription(text, problems);
  for (const Problem& problem : problems.list()) {
    if (!problem.warning) throw Error(problems.Describe(problem));
  }
  return description;
}

ProductDescription LoadProductDescription(const std::string& path,
                                          const std::vector<std::string>& set_options,
                                          Problems& problems) {
  const auto storage = ReadFileStorage(path);
  const std::string_view text(reinterpret_cast<const char*>(storage->data()), storage->size());
  ProductDescription description = ParseProductDescription(text, problems);
  ApplySetOptions(description, set_options, problems);
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  for (std::string* relative :
       {&description.splash_file, &description.icon_file, &description.about_file,
        &description.license_file, &description.files_folder}) {
    if (!relative->empty()) *relative = (folder / *relative).string();
  }
  return description;
}

}  // namespace tidemark
