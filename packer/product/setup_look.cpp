#include "packer/product/setup_look.h"

#include <filesystem>

#include "container/errors.h"
#include "container/image_file.h"
#include "packer/product/setup_keys.h"
#include "packer/stub/icon_resources.h"
#include "packer/stub/version_resource.h"

namespace tidemark {
namespace {

const ProductSetting* FindSetting(const std::vector<ProductSetting>& settings,
                                  std::string_view key) {
  for (const ProductSetting& setting : settings) {
    if (setting.key == key) return &setting;
  }
  return nullptr;
}

std::string DefaultText(const ProductDescription& description, VersionTextDefault fallback) {
  switch (fallback) {
    case VersionTextDefault::kAppName: {
      const ProductSetting* app_name = description.Find("AppName");
      return app_name ? app_name->value : std::string();
    }
    case VersionTextDefault::kCompany:
      return description.Company().value;
    case VersionTextDefault::kNone:
      break;
  }
  return {};
}

VersionInfo ReadVersion(const ProductDescription& description, const ProductSetting& version) {
  VersionInfo info;
  info.numbers = ParseVersionNumber(version.value, kSetupVersionKey);
  for (const SetupVersionText& text : kSetupVersionTexts) {
    const ProductSetting* given = FindSetting(description.setup_settings, text.key);
    const std::string fallback = DefaultText(description, text.fallback);
    if (given) {
      info.texts.emplace_back(text.name, given->value);
    } else if (!fallback.empty()) {
      info.texts.emplace_back(text.name, fallback);
    }
  }
  info.texts.emplace_back("FileVersion", version.value);
  info.texts.emplace_back("ProductVersion", version.value);
  return info;
}

}  // namespace

SetupLook LoadSetupLook(const ProductDescription& description, const std::string& folder) {
  SetupLook look;
  const std::vector<ProductSetting>& settings = description.setup_settings;
  if (const ProductSetting* icon = FindSetting(settings, kSetupIconFileKey)) {
    if (icon->value.empty()) throw Error(std::string(kSetupIconFileKey) + " is empty");
    look.icon_path = (std::filesystem::path(folder) / icon->value).string();
    std::unique_ptr<ImageStorage> bytes;
    try {
      bytes = ReadFileStorage(look.icon_path);
    } catch (const Error& error) {
      throw Error(std::string(kSetupIconFileKey) + ": " + error.what());
    }
    look.icon.assign(bytes->data(), bytes->data() + bytes->size());
    // On purpose: put into a table that is thrown away, so that a bad file
    // is named before anything is packed.
    ResourceTable check;
    ReplaceIcon(check, look.icon, std::string(kSetupIconFileKey) + " \"" + look.icon_path + "\"");
  }
  const ProductSetting* version = FindSetting(settings, kSetupVersionKey);
  if (version) {
    look.version = ReadVersion(description, *version);
    // On purpose: built and thrown away, so that a text that is not UTF-8
    // is named with the product's other problems, before anything is packed.
    BuildVersionResource(*look.version);
  } else {
    for (const ProductSetting& setting : settings) {
      if (setting.key != kSetupIconFileKey) {
        throw Error("key " + setting.key + " needs the version number " + kSetupVersionKey);
      }
    }
  }
  return look;
}

}  // namespace tidemark
