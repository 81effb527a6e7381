#include "packer/product/product_checks.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <set>

#include "codecs/block_deflate.h"
#include "codecs/jpeg_coding.h"
#include "container/byte_stream.h"
#include "container/errors.h"
#include "container/image_file.h"
#include "container/items.h"
#include "container/picture_bounds.h"
#include "packer/product/install_names.h"
#include "rules/installed_files.h"

namespace tidemark {
namespace {

constexpr int64_t kMaxItemSize = std::numeric_limits<int32_t>::max();

// For a Windows icon file (.ico, by its header) given as the window's picture.
std::string IconFileHint(ImageStorage& bytes) {
  static const uint8_t kIcoHeader[] = {0, 0, 1, 0};
  if (bytes.size() < sizeof kIcoHeader ||
      !std::equal(std::begin(kIcoHeader), std::end(kIcoHeader), bytes.data()))
    return {};
  return "; it is a Windows icon file: IconFile is the JPEG picture at the top of the window, "
         "SetupIconFile the installer's own file icon";
}

}  // namespace

void CheckProductFiles(const std::vector<ProductFile>& files, const std::string& app_name,
                       const CodePage& code_page, int line, Problems& problems) {
  const LeadBytePredicate lead = code_page.lead_byte();
  if (files.empty()) {
    problems.Fail(line, "the files folder holds no files; an installer needs at least one");
    return;
  }
  const std::string uninstaller = FoldCase(kUninstallerFileName, lead);
  const std::string log = FoldCase(InstallLogFileName(app_name), lead);
  std::map<std::string, const ProductFile*> folded_names;
  int64_t total = 0;
  for (const ProductFile& file : files) {
    const std::string what = "file " + Quoted(file.shown) + ": ";
    const std::string fault = FileNameFault(file.name, lead, code_page.number());
    if (!fault.empty()) problems.Fail(line, what + fault);
    if (file.size > kMaxItemSize) problems.Fail(line, what + "it is 2 GiB or larger");
    total += file.size;
    const std::string folded = FoldCase(file.name, lead);
    if (folded == uninstaller || folded == log) {
      problems.Fail(line, what + "it would be overwritten by the installer's own " +
                              (folded == uninstaller ? "uninstaller" : "install log"));
    }
    const auto [other, added] = folded_names.emplace(folded, &file);
    if (!added) {
      problems.Fail(
          line, what + "it differs from " + Quoted(other->second->shown) + " only in letter case");
    }
  }
  if (total > kMaxItemSize) problems.Fail(line, "the product's files add up to 2 GiB or more");
  const std::set<std::string> folders = FoldersOf(files, lead);
  for (const auto& [folded, file] : folded_names) {
    if (folders.count(folded)) {
      problems.Fail(line, "file " + Quoted(file->shown) +
                              " is also a folder of other files (letter case aside)");
    }
  }
}

void CheckHeadFile(const std::string& key, const HeadFile& file, bool picture, int line,
                   Problems& problems) {
  const std::string what = key + " " + Quoted(file.path);
  if (file.size < 1) return problems.Fail(line, what + " is empty");
  if (file.size > kMaxItemSize) return problems.Fail(line, what + " is 2 GiB or larger");
  if (!picture) return;
  if (file.size > kMaxPictureDataSize) {
    return problems.Fail(line, what + " is larger than the 16 MiB a picture may have");
  }
  // On purpose: decoded whole, through the installer's own item reader
  // (compressed first, as it would be packed), so that what passes here is
  // exactly what the installer can show and damage it would paper over is
  // found too.
  std::unique_ptr<ImageStorage> bytes;
  try {
    bytes = ReadFileStorage(file.path);
    if (IsArithmeticCodedJpeg(bytes->data(), bytes->size())) {
      return problems.Fail(line, what +
                                     " is an arithmetic-coded JPEG image, which the installer "
                                     "cannot show; save it with Huffman coding");
    }
    MemorySource source(ZlibStreamOf(bytes->data(), bytes->size(), 1));
    if (LoadJpegItem(source, static_cast<int32_t>(bytes->size())).patched) {
      problems.Fail(
          line, what + " is a damaged or cut-short JPEG image (the decoder had to fill in pixels)");
    }
  } catch (const Error& error) {
    problems.Fail(line, what + " is not a JPEG image the installer can show (" + error.what() +
                            ")" + (bytes && key == "IconFile" ? IconFileHint(*bytes) : ""));
  }
}

}  // namespace tidemark
