#include "packer/product/product_files.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "container/errors.h"

namespace fs = std::filesystem;

namespace tidemark {
namespace {

class FilesWalk {
 public:
  FilesWalk(const CodePage& code_page, int line, Problems& problems)
      : code_page_(code_page), line_(line), problems_(problems) {}

  // Adds the files below `folder`, whose name below the files folder is `shown`.
  void Walk(const fs::path& folder, const std::string& shown) {
    std::error_code error;
    fs::directory_iterator entries(folder, error);
    for (; !error && entries != fs::directory_iterator(); entries.increment(error)) {
      const std::string name = entries->path().filename().u8string();  // UTF-8 on Windows too
      Visit(*entries, shown.empty() ? name : shown + "\\" + name);
    }
    if (error)
      problems_.Fail(line_,
                     "cannot read the folder \"" + folder.string() + "\": " + error.message());
  }

  std::vector<ProductFile> TakeFiles() {
    std::sort(files_.begin(), files_.end(),
              [](const ProductFile& a, const ProductFile& b) { return a.shown < b.shown; });
    return std::move(files_);
  }

 private:
  void Visit(const fs::directory_entry& entry, const std::string& shown) {
    const std::string part = entry.path().filename().u8string();
    std::error_code error;
    // A link is never followed: it could carry whatever it points to, on
    // the build machine or elsewhere, into the installer.
    if (entry.is_symlink(error)) {
      problems_.Fail(line_,
                     "\"" + entry.path().string() +
                         (entry.is_directory(error)
                              ? "\" is a link to a folder; copy the folder instead"
                              : "\" is a symbolic link; copy the file it points to instead"));
      return;
    }
    if (entry.is_directory(error)) {
      if (Acceptable(part, shown)) Walk(entry.path(), shown);
      return;
    }
    if (!entry.is_regular_file(error)) {
      problems_.Fail(line_, "\"" + entry.path().string() + "\" is neither a file nor a folder");
      return;
    }
    const auto size = entry.file_size(error);
    if (error) {
      problems_.Fail(
          line_, "cannot read the size of \"" + entry.path().string() + "\": " + error.message());
      return;
    }
    if (!Acceptable(part, shown)) return;
    try {
      files_.push_back(
          {code_page_.FromUtf8(shown), shown, entry.path().string(), static_cast<int64_t>(size)});
    } catch (const Error& reason) {
      problems_.Fail(line_, "file \"" + Printable(shown) + "\": the name " + reason.what());
    }
  }

  // Whether the name part can be carried at all; says why not otherwise.
  bool Acceptable(const std::string& part, const std::string& shown) {
    if (part.find('\\') == std::string::npos) return true;
    problems_.Fail(
        line_, "file \"" + Printable(shown) +
                   "\": a name part holds \"\\\", which the installer reads as a folder separator");
    return false;
  }

  // The name with every byte that is not UTF-8 shown as \xNN.
  static std::string Printable(std::string_view name) {
    std::string shown;
    for (size_t at = FirstNonUtf8Byte(name); at != std::string_view::npos;
         at = FirstNonUtf8Byte(name)) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(name[at]));
      shown.append(name.substr(0, at)).append(escaped);
      name.remove_prefix(at + 1);
    }
    return shown.append(name);
  }

  const CodePage& code_page_;
  const int line_;
  Problems& problems_;
  std::vector<ProductFile> files_;
};

}  // namespace

std::vector<ProductFile> CollectProductFiles(const std::string& folder, const CodePage& code_page,
                                             int line, Problems& problems) {
  FilesWalk walk(code_page, line, problems);
  walk.Walk(folder, "");
  return walk.TakeFiles();
}

}  // namespace tidemark
