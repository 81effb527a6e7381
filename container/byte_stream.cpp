#include "container/byte_stream.h"

#include <algorithm>
#include <cstring>

namespace tidemark {

void MemorySource::Seek(int64_t position) {
  position_ = static_cast<size_t>(std::clamp<int64_t>(position, 0, Size()));
}

size_t MemorySource::Read(void* buffer, size_t count) {
  const size_t n = std::min(count, size_ - position_);
  if (n > 0) std::memcpy(buffer, data_ + position_, n);
  position_ += n;
  return n;
}

void MemorySink::Write(const void* data, size_t count) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  bytes_.insert(bytes_.end(), bytes, bytes + count);
}

}  // namespace tidemark
