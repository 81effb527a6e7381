#include "packer/product/control_lines.h"

#include <map>

#include "container/control_info.h"
#include "container/control_keys.h"
#include "container/layout.h"
#include "rules/installed_files.h"
#include "rules/installed_size.h"

namespace tidemark {
namespace {

constexpr char kLineBreak[] = "\r\n";

void AddSetting(const ProductDescription& description, const std::string& key,
                std::vector<std::string>& lines) {
  if (const ProductSetting* setting = description.Find(key)) {
    lines.push_back(setting->key + "=" + setting->value);
  }
}

void AddShortcutPairs(const ProductDescription& description, std::vector<std::string>& lines) {
  std::map<int, std::vector<const ProductSetting*>> by_number;  // name before path
  for (const ProductSetting& setting : description.settings) {
    if (int number = ShortcutNumber(setting.key, kShortcutNameStem)) {
      by_number[number].insert(by_number[number].begin(), &setting);
    } else if (int number = ShortcutNumber(setting.key, kShortcutPathStem)) {
      by_number[number].push_back(&setting);
    }
  }
  for (const auto& [number, settings] : by_number) {
    for (const ProductSetting* setting : settings)
      lines.push_back(setting->key + "=" + setting->value);
  }
}

// The keys of the uninstall entry's further values (rules/uninstall_entry.h).
void AddUninstallEntry(const Product& product, std::vector<std::string>& lines) {
  const ProductDescription& description = product.description;
  if (!description.FullUninstallEntry()) return;
  AddSetting(description, keys::kAppVersion, lines);
  AddSetting(description, keys::kAppPublisher, lines);
  // The uninstaller carries the installer's own icon when the product gives
  // it one; otherwise a main program is the likelier to carry the product's.
  const ProductSetting* exe_name = description.Find(keys::kExeName);
  const bool program = exe_name && exe_name->value.size() > 4 &&
                       KeyNamesEqual(exe_name->value.substr(exe_name->value.size() - 4), ".exe");
  const std::string icon_file =
      product.setup.icon.empty() && program ? exe_name->value : kUninstallerFileName;
  lines.push_back(std::string(keys::kAppIconFile) + "=" + icon_file);
  lines.push_back(std::string(keys::kAppSize) + "=" + KiBText(product.TotalFileBytes()));
  lines.push_back(std::string(keys::kUninstallEntry) + "=" + keys::kUninstallEntryFull);
  AddSetting(description, keys::kAppAboutUrl, lines);
  AddSetting(description, keys::kAppHelpUrl, lines);
}

}  // namespace

std::vector<std::string> BuildControlLines(const Product& product) {
  const ProductDescription& description = product.description;
  const auto size_line = [](const char* key, int64_t size) {
    return std::string(key) + "=" + std::to_string(size);
  };
  std::vector<std::string> lines = {"[Settings]", size_line(keys::kSplash, product.splash.size)};
  if (product.icon.present()) lines.push_back(size_line(keys::kIcon, product.icon.size));
  lines.push_back(size_line(keys::kFilecount, static_cast<int64_t>(product.files.size())));
  lines.push_back(size_line(keys::kFilebytes, product.TotalFileBytes()));
  AddSetting(description, keys::kExeName, lines);
  AddSetting(description, keys::kExeShortcut, lines);
  AddShortcutPairs(description, lines);
  AddSetting(description, keys::kTargetFolder, lines);
  AddSetting(description, keys::kAppName, lines);
  AddSetting(description, keys::kAppCompany, lines);
  AddUninstallEntry(product, lines);
  lines.push_back(size_line(keys::kInfoAbout, product.about.size));
  lines.push_back(size_line(keys::kInfoInstall, product.license.size));
  lines.push_back(size_line(kCodePageKey, product.code_page));
  lines.push_back("[Files]");
  for (size_t i = 0; i < product.files.size(); ++i) {
    const ProductFile& file = product.files[i];
    lines.push_back(keys::kFileEntryPrefix + std::to_string(i + 1) + "=<" + file.name + "><" +
                    std::to_string(file.size) + ">");
  }
  return lines;
}

std::string ControlText(const std::vector<std::string>& lines) {
  std::string text = kLineBreak;
  for (const std::string& line : lines) text += line + kLineBreak;
  return text + EndMarker() + kLineBreak;
}

}  // namespace tidemark
