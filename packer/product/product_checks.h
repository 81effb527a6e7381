// The product's files and head files, checked against what the container
// and the installer can carry. Problems go to `problems`, naming the file;
// names are in the installer's code page and are shown in UTF-8.
#pragma once

#include <string>
#include <vector>

#include "packer/product/code_page.h"
#include "packer/product/head_file.h"
#include "packer/product/problems.h"
#include "packer/product/product_files.h"

namespace tidemark {

// The files as a whole: at least one, each 1 byte to 2 GiB - 1, the total
// within that too (the installer reads every size as a signed 32-bit
// number), installable names, no two names that Windows takes for the same
// file, and none that the installer's own uninstaller or log would overwrite.
void CheckProductFiles(const std::vector<ProductFile>& files, const std::string& app_name,
                       const CodePage& code_page, int line, Problems& problems);

// A head file exists and fits an item (1 byte to 2 GiB - 1); the splash and
// icon also decode, whole, as the installer decodes them.
void CheckHeadFile(const std::string& key, const HeadFile& file, bool picture, int line,
                   Problems& problems);

}  // namespace tidemark
