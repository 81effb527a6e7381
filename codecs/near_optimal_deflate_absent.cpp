// The packer built without libdeflate (for Windows): zlib's levels only.
#include "codecs/near_optimal_deflate.h"

#include <string>

#include "container/errors.h"

namespace tidemark {

const int kHighestLevel = kHighestZlibLevel;
const int kDefaultLevel = kHighestZlibLevel;

std::vector<uint8_t> NearOptimalDeflate(const uint8_t*, size_t, int level) {
  throw Error("level " + std::to_string(level) + " needs libdeflate, which this packer lacks");
}

}  // namespace tidemark
