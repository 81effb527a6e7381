// Building an installer: the stub followed by a container for one product.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "codecs/near_optimal_deflate.h"
#include "packer/product/code_page.h"
#include "packer/product/product.h"

namespace tidemark {

// Called now and then with the product bytes read so far and their total.
using PackProgress = std::function<void(int64_t done, int64_t total)>;

struct PackOptions {
  std::string stub_path;
  std::string description_path;
  std::string output_path;
  bool scrambled = false;
  int level = kDefaultLevel;         // 0 to 9 zlib's, 10 to kHighestLevel libdeflate's
  int jobs = 1;                      // compressing threads; the output does not depend on it
  int code_page = kDefaultCodePage;  // of the installer's names and texts
  ProductOverrides overrides;        // --set and --warnings-as-errors
  PackProgress progress;
};

struct PackResult {
  int64_t installer_size = 0;
  int64_t product_bytes = 0;  // every item's content, before compression
  int64_t stored_bytes = 0;   // the items as stored in the container
  int files = 0;
  int items = 0;                      // head items and files
  std::vector<std::string> warnings;  // about the product, one line each
  std::vector<std::string> notes;     // about what the packer did, one line each
};

// Refuses an output path that names an input, or anything but a regular
// file or nothing; writes the installer to a temporary file beside it and
// renames it there only when it is complete. Raises Error naming the
// offending input, or listing every problem of the product.
PackResult PackInstaller(const PackOptions& options);

}  // namespace tidemark
