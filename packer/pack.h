// Building an installer: the stub followed by a container for one product.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace tidemark {

// Called now and then with the product bytes read so far and their total.
using PackProgress = std::function<void(int64_t done, int64_t total)>;

struct PackOptions {
  std::string stub_path;
  std::string description_path;
  std::string output_path;
  bool scrambled = false;
  int level = 9;  // zlib level, 0 to 9
  int jobs = 1;   // compressing threads; the output does not depend on it
  PackProgress progress;
};

struct PackResult {
  int64_t installer_size = 0;
  int64_t product_bytes = 0;  // every item's content, before compression
};

// Writes the installer to a temporary file beside `output_path` and moves it
// there only when it is complete. Raises Error naming the offending input.
PackResult PackInstaller(const PackOptions& options);

}  // namespace tidemark
