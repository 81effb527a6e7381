#include "rules/installed_size.h"

namespace tidemark {

std::string KiBText(int64_t bytes) { return std::to_string((bytes + 1023) / 1024); }

}  // namespace tidemark
