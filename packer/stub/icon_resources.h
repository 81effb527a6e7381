// A Windows icon file (.ico) as program resources: one RT_ICON per image and
// the RT_GROUP_ICON that lists them, which is the program's icon.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "packer/stub/resource_table.h"

namespace tidemark {

// Replaces every icon and icon group of `table` by the images of `ico`. The
// group keeps the name and language of the first group there was (the one
// Explorer shows), else it is number 1, US English. Raises Error naming
// `what` when `ico` is no icon file.
void ReplaceIcon(ResourceTable& table, const std::vector<uint8_t>& ico, const std::string& what);

}  // namespace tidemark
