// The size of an installation as the uninstall entry gives it.
#pragma once

#include <cstdint>
#include <string>

namespace tidemark {

// The size in KiB, rounded up, as a decimal text: what the control
// information's AppSize holds for "EstimatedSize".
std::string KiBText(int64_t bytes);

}  // namespace tidemark
