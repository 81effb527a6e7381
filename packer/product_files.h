// The product's files: everything below the files folder, named as the
// installer names them (relative, with "\" between folder parts).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tidemark {

struct ProductFile {
  std::string name;  // relative to the install folder, "\" between parts
  std::string path;  // where the packer reads it
  int64_t size = 0;
};

// Every file below `folder`, in byte order of `name`. Empty folders carry
// nothing. Raises Error for a folder that cannot be read, a link to a folder
// (its content would be left out silently) or an entry that is neither file
// nor folder, and for a name part holding "\", which would change its meaning.
std::vector<ProductFile> CollectProductFiles(const std::string& folder);

}  // namespace tidemark
