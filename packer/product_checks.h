// What the container layout and the installer can carry. The checks report
// to `problems`, naming the offending key (with its line) or file; names and
// values are in the installer's code page and are shown in UTF-8.
#pragma once

#include <string>
#include <vector>

#include "packer/code_page.h"
#include "packer/problems.h"
#include "packer/product.h"

namespace tidemark {

// Why a file name cannot be installed below the install folder as it
// stands; empty when it can. Applied by build to the product's files and by
// verify and extract to the file lines of an installer.
std::string FileNameFault(const std::string& name, LeadBytePredicate is_lead_byte);

// The vendor keys: values the control information can carry, required ones
// present, names usable as file names, paths that stay inside the install
// folder, the proposed folder, the shortcut list, an ExeName that names one
// of `files`, and install paths that stay below 260 characters.
void CheckSettings(const ProductDescription& description, const std::vector<ProductFile>& files,
                   const CodePage& code_page, Problems& problems);

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
