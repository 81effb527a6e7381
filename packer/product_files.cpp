#include "packer/product_files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "container/errors.h"

namespace fs = std::filesystem;

namespace tidemark {
namespace {

std::string InstallName(const fs::path& relative) {
  std::string name;
  for (const fs::path& part : relative) {
    const std::string text = part.string();
    if (text.find('\\') != std::string::npos) {
      throw Error("file \"" + relative.generic_string() +
                  "\": a name part holds \"\\\", which the installer reads as a folder separator");
    }
    if (!name.empty()) name += '\\';
    name += text;
  }
  return name;
}

}  // namespace

std::vector<ProductFile> CollectProductFiles(const std::string& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) {
    throw Error("files folder \"" + folder + "\" does not exist or is not a folder");
  }
  std::vector<ProductFile> files;
  fs::recursive_directory_iterator walk(folder, error);
  for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
    const fs::directory_entry& entry = *walk;
    const fs::path relative = entry.path().lexically_relative(folder);
    if (entry.is_directory(error)) {
      if (entry.is_symlink()) {
        throw Error("\"" + entry.path().string() + "\" is a link to a folder; copy the folder instead");
      }
      continue;
    }
    if (!entry.is_regular_file(error)) {
      throw Error("\"" + entry.path().string() + "\" is neither a file nor a folder");
    }
    const auto size = entry.file_size(error);
    if (error) break;
    files.push_back({InstallName(relative), entry.path().string(), static_cast<int64_t>(size)});
  }
  if (error) throw Error("cannot read the files folder \"" + folder + "\": " + error.message());
  std::sort(files.begin(), files.end(),
            [](const ProductFile& a, const ProductFile& b) { return a.name < b.name; });
  return files;
}

}  // namespace tidemark
