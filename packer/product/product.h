// One product as the packer packs it: the description, the four head files
// and the product's files, all checked against what the container can carry,
// names and values in the installer's code page.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packer/product/code_page.h"
#include "packer/product/head_file.h"
#include "packer/product/product_description.h"
#include "packer/product/product_files.h"
#include "packer/stub/stub_dressing.h"

namespace tidemark {

struct Product {
  ProductDescription description;  // vendor values in the code page
  int code_page = kDefaultCodePage;
  HeadFile splash;
  HeadFile icon;
  HeadFile about;
  HeadFile license;
  std::vector<ProductFile> files;
  std::vector<std::string> warnings;  // what may not be meant, one line each
  SetupLook setup;                    // the installer executable's icon and version information

  int64_t TotalFileBytes() const;
};

// What the build's command line adds to the product file.
struct ProductOverrides {
  // The --set texts ("KEY=VALUE"), in order: each is read as a line of the
  // product file and takes the place of the file's line for its key.
  std::vector<std::string> settings;
  bool warnings_as_errors = false;  // a warning stops the build as an error does
};

// Reads the description at `description_path` with `overrides`, finds every
// file it names, converts names and values to `code_page` and checks the
// whole product. Raises Error listing every problem found, each with its
// place, when there is an error (or, with warnings_as_errors, a warning).
Product LoadProduct(const std::string& description_path, const CodePage& code_page,
                    const ProductOverrides& overrides = {});

}  // namespace tidemark
