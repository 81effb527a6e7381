#include "packer/product/product.h"

#include <filesystem>
#include <system_error>

#include "container/control_info.h"
#include "container/errors.h"
#include "packer/product/product_checks.h"
#include "packer/product/setting_checks.h"
#include "packer/product/setup_keys.h"
#include "packer/product/setup_look.h"

namespace tidemark {
namespace {

HeadFile FindHeadFile(const std::string& key, const std::string& path, int line,
                      Problems& problems) {
  HeadFile file;
  if (path.empty()) return file;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    problems.Fail(line, key + " \"" + path + "\" does not exist or is not a file");
    return file;
  }
  const auto size = std::filesystem::file_size(path, error);
  if (error) {
    problems.Fail(line, key + " \"" + path + "\": " + error.message());
    return file;
  }
  file.path = path;
  file.size = static_cast<int64_t>(size);
  return file;
}

// Converts every vendor value to the code page; a value it cannot hold is
// marked unusable after its problem is noted.
void ConvertSettings(ProductDescription& description, const CodePage& code_page,
                     Problems& problems) {
  for (ProductSetting& setting : description.settings) {
    try {
      setting.value = code_page.FromUtf8(setting.value);
    } catch (const Error& error) {
      problems.Fail(setting.line, "key " + setting.key + ": the value " + error.what());
      setting.unusable = true;
    }
  }
}

const ProductSetting* FindSetupSetting(const ProductDescription& description,
                                       std::string_view key) {
  for (const ProductSetting& setting : description.setup_settings) {
    if (setting.key == key) return &setting;
  }
  return nullptr;
}

// The uninstall entry's version and publisher, when the product file gives
// neither: the installer's version number and company name (SetupVersion,
// SetupCompanyName, else the company of AppCompany), each on the line it
// comes from. With
// UninstallEntry=plain, a key for the entry is named as one left out.
void AddUninstallEntryDefaults(ProductDescription& description, Problems& problems) {
  const int entry_line = description.PackerLine("UninstallEntry");
  if (!description.FullUninstallEntry()) {
    for (const char* key : {"AppVersion", "AppPublisher", "AppAboutUrl", "AppHelpUrl"}) {
      if (const ProductSetting* setting = description.Find(key)) {
        problems.Warn(setting->line, "key " + setting->key +
                                         " is left out of the installer: UninstallEntry is plain");
      }
    }
    return;
  }
  if (!description.uninstall_entry.empty() && !KeyNamesEqual(description.uninstall_entry, "full")) {
    problems.Fail(entry_line, "UninstallEntry is \"" + description.uninstall_entry +
                                  "\"; write full (the default) or plain");
  }
  const auto add_default = [&](const char* key, const ProductSetting* source) {
    if (description.Find(key) == nullptr && source != nullptr && !source->value.empty())
      description.settings.push_back({key, source->value, source->line});
  };
  add_default("AppVersion", FindSetupSetting(description, kSetupVersionKey));
  const ProductSetting* company = FindSetupSetting(description, "SetupCompanyName");
  const ProductSetting app_company = description.Company();
  add_default("AppPublisher", company ? company : &app_company);
}

}  // namespace

int64_t Product::TotalFileBytes() const {
  int64_t total = 0;
  for (const ProductFile& file : files) total += file.size;
  return total;
}

Product LoadProduct(const std::string& description_path, const CodePage& code_page,
                    const ProductOverrides& overrides) {
  Problems problems(description_path, overrides.settings);
  Product product;
  product.code_page = code_page.number();
  product.description = LoadProductDescription(description_path, overrides.settings, problems);
  ProductDescription& description = product.description;
  // The installer's version texts are Unicode: read before the values they
  // fall back on are converted to the code page.
  try {
    product.setup =
        LoadSetupLook(description, std::filesystem::path(description_path).parent_path().string());
  } catch (const Error& error) {
    const ProductSetting* first =
        description.setup_settings.empty() ? nullptr : &description.setup_settings.front();
    problems.Fail(first ? first->line : 0, error.what());
  }
  AddUninstallEntryDefaults(description, problems);
  ConvertSettings(description, code_page, problems);

  struct Head {
    const char* key;
    const std::string& path;
    HeadFile& file;
    bool picture;
    bool required;
  };
  const Head heads[] = {{"SplashFile", description.splash_file, product.splash, true, true},
                        {"IconFile", description.icon_file, product.icon, true, false},
                        {"AboutFile", description.about_file, product.about, false, true},
                        {"LicenseFile", description.license_file, product.license, false, true}};
  for (const Head& head : heads) {
    const int line = description.PackerLine(head.key);
    if (head.path.empty()) {
      if (head.required)
        problems.Fail(line, "key " + std::string(head.key) + " is missing or empty");
      continue;
    }
    head.file = FindHeadFile(head.key, head.path, line, problems);
    if (head.file.present()) CheckHeadFile(head.key, head.file, head.picture, line, problems);
  }

  const int files_line = description.PackerLine("FilesFolder");
  if (description.files_folder.empty()) {
    problems.Fail(files_line, "key FilesFolder is missing or empty");
  } else if (std::filesystem::is_directory(description.files_folder)) {
    product.files = CollectProductFiles(description.files_folder, code_page, files_line, problems);
    const ProductSetting* app_name = description.Find("AppName");
    CheckProductFiles(product.files, app_name ? app_name->value : std::string(), code_page,
                      files_line, problems);
  } else {
    problems.Fail(files_line, "FilesFolder \"" + description.files_folder +
                                  "\" does not exist or is not a folder");
  }
  CheckSettings(description, product.files, code_page, problems);
  problems.ThrowIfErrors(overrides.warnings_as_errors);
  product.warnings = problems.Warnings();
  return product;
}

}  // namespace tidemark
