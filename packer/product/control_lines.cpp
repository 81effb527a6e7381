#include "packer/product/control_lines.h"

#include <map>

#include "container/layout.h"

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

}  // namespace

std::vector<std::string> BuildControlLines(const Product& product) {
  const ProductDescription& description = product.description;
  std::vector<std::string> lines = {"[Settings]", "Splash=" + std::to_string(product.splash.size)};
  if (product.icon.present()) lines.push_back("Icon=" + std::to_string(product.icon.size));
  lines.push_back("Filecount=" + std::to_string(product.files.size()));
  lines.push_back("Filebytes=" + std::to_string(product.TotalFileBytes()));
  AddSetting(description, "ExeName", lines);
  AddSetting(description, "ExeShortcut", lines);
  AddShortcutPairs(description, lines);
  AddSetting(description, "TargetFolder", lines);
  AddSetting(description, "AppName", lines);
  AddSetting(description, "AppCompany", lines);
  lines.push_back("InfoAbout=" + std::to_string(product.about.size));
  lines.push_back("InfoInstall=" + std::to_string(product.license.size));
  lines.push_back(std::string(kCodePageKey) + "=" + std::to_string(product.code_page));
  lines.push_back("[Files]");
  for (size_t i = 0; i < product.files.size(); ++i) {
    const ProductFile& file = product.files[i];
    lines.push_back("f" + std::to_string(i + 1) + "=<" + file.name + "><" +
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
