// What the container layout and the installer can carry. Each check raises
// Error with a message that names the offending key or file.
#pragma once

#include <string>
#include <vector>

#include "packer/product.h"

namespace tidemark {

// A control-information value: no control characters (the loader drops them
// or breaks the line there) and no end marker text (it would end the
// control information early).
void CheckControlValue(const std::string& key, const std::string& value);

// A path relative to the install folder that cannot reach outside it: not
// absolute, no drive, no ".." part. `what` opens the message.
void CheckRelativePath(const std::string& what, const std::string& name);

// A product file's name as the installer writes it below the install folder.
void CheckProductFileName(const std::string& name);

// The vendor keys: required ones present, names usable as file names, paths
// that stay inside the install folder, a shortcut list without gaps, and an
// ExeName that names one of `files`.
void CheckSettings(const ProductDescription& description, const std::vector<ProductFile>& files);

// The files as a whole: at least one, each 1 byte to 2 GiB - 1, the total
// within that too (the installer reads every size as a signed 32-bit
// number), no two names that Windows takes for the same file, and none that
// the installer's own uninstaller or log would overwrite.
void CheckProductFiles(const std::vector<ProductFile>& files, const std::string& app_name);

// A head file exists and fits an item (1 byte to 2 GiB - 1).
void CheckHeadFile(const std::string& key, const HeadFile& file);

// The splash or icon decodes as the installer decodes it.
void CheckJpegFile(const std::string& key, const HeadFile& file);

}  // namespace tidemark
