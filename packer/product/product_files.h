// The product's files: everything below the files folder, named as the
// installer names them (relative, with "\" between folder parts, in the
// installer's code page).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packer/product/code_page.h"
#include "packer/product/problems.h"

namespace tidemark {

struct ProductFile {
  std::string name;   // relative to the install folder, "\" between parts, in the code page
  std::string shown;  // the same in UTF-8, for messages
  std::string path;   // where the packer reads it
  int64_t size = 0;
};

// Every file below `folder` (a folder), in byte order of the UTF-8 names
// (`shown`).
// Empty folders carry nothing. A folder that cannot be read, a symbolic
// link (to a folder its content would be left out silently, to a file it
// would pack what it points to, wherever that is), an entry that is neither
// file nor folder, a name part holding "\" (it would change its meaning) and
// a name that is not UTF-8 or that the code page cannot hold go to
// `problems` (the file is then left out); `line` is the FilesFolder line.
std::vector<ProductFile> CollectProductFiles(const std::string& folder, const CodePage& code_page,
                                             int line, Problems& problems);

}  // namespace tidemark
