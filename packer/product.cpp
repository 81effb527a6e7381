#include "packer/product.h"

#include <filesystem>
#include <system_error>

#include "container/errors.h"
#include "packer/product_checks.h"

namespace tidemark {
namespace {

HeadFile FindHeadFile(const std::string& key, const std::string& path) {
  HeadFile file;
  if (path.empty()) return file;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    throw Error(key + " \"" + path + "\" does not exist or is not a file");
  }
  file.path = path;
  file.size = static_cast<int64_t>(std::filesystem::file_size(path, error));
  if (error) throw Error(key + " \"" + path + "\": " + error.message());
  return file;
}

}  // namespace

int64_t Product::TotalFileBytes() const {
  int64_t total = 0;
  for (const ProductFile& file : files) total += file.size;
  return total;
}

Product LoadProduct(const std::string& description_path) {
  Product product;
  product.description = LoadProductDescription(description_path);
  const ProductDescription& description = product.description;
  product.splash = FindHeadFile("SplashFile", description.splash_file);
  product.icon = FindHeadFile("IconFile", description.icon_file);
  product.about = FindHeadFile("AboutFile", description.about_file);
  product.license = FindHeadFile("LicenseFile", description.license_file);
  CheckHeadFile("SplashFile", product.splash);
  CheckJpegFile("SplashFile", product.splash);
  if (product.icon.present()) {
    CheckHeadFile("IconFile", product.icon);
    CheckJpegFile("IconFile", product.icon);
  }
  CheckHeadFile("AboutFile", product.about);
  CheckHeadFile("LicenseFile", product.license);
  if (description.files_folder.empty()) {
    throw Error("key FilesFolder is missing in the product description");
  }
  product.files = CollectProductFiles(description.files_folder);
  const ProductSetting* app_name = description.Find("AppName");
  CheckProductFiles(product.files, app_name ? app_name->value : std::string());
  CheckSettings(description, product.files);
  product.setup =
      LoadSetupLook(description, std::filesystem::path(description_path).parent_path().string());
  return product;
}

}  // namespace tidemark
