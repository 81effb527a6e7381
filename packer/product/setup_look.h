// The installer executable's own look as the product gives it: the setup
// keys (packer/product/setup_keys.h) read into what the stub is dressed with
// (packer/stub/stub_dressing.h).
#pragma once

#include <string>

#include "packer/product/product_description.h"
#include "packer/stub/stub_dressing.h"

namespace tidemark {

// Reads the setup keys of `description` (paths relative to `folder`). The
// texts ProductName, CompanyName and FileDescription default to AppName,
// the product's company (ProductDescription::Company) and AppName; the
// version texts need SetupVersion. Raises Error naming the key at fault.
SetupLook LoadSetupLook(const ProductDescription& description, const std::string& folder);

}  // namespace tidemark
