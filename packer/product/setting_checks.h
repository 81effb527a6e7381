// The vendor keys of a product, checked against what the installer does
// with them. Problems go to `problems` with the line of their key; values
// are in the installer's code page and are shown in UTF-8.
#pragma once

#include <vector>

#include "packer/product/code_page.h"
#include "packer/product/problems.h"
#include "packer/product/product_description.h"
#include "packer/product/product_files.h"

namespace tidemark {

// Values the control information can carry, required keys present, names
// usable as file names, paths that stay inside the install folder, the
// proposed folder, the shortcut list, an ExeName that names one of `files`,
// a product name the registry and the install log can hold, and install
// paths below 260 characters.
void CheckSettings(const ProductDescription& description, const std::vector<ProductFile>& files,
                   const CodePage& code_page, Problems& problems);

}  // namespace tidemark
