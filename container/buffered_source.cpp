#include "container/buffered_source.h"

#include <algorithm>
#include <cstring>

namespace tidemark {

BufferedSource::BufferedSource(RandomAccessInput& input, int64_t position,
                               const ScrambledRegion& region)
    : input_(input),
      size_(input.Size()),
      position_(position),
      region_(region),
      buffer_(new uint8_t[kBufferSize]) {
  Seek(position);
}

void BufferedSource::Seek(int64_t position) {
  position_ = std::clamp<int64_t>(position, 0, Size());
}

const uint8_t* BufferedSource::Peek(size_t& available) const {
  const bool inside =
      position_ >= buffer_start_ && position_ < buffer_start_ + static_cast<int64_t>(held_);
  if (!inside) {
    held_ = 0;  // stays empty when the read below raises
    buffer_start_ = position_;
    const size_t got = input_.ReadAt(position_, buffer_.get(), kBufferSize);
    region_.Apply(buffer_.get(), got, buffer_start_);
    held_ = got;
  }
  const size_t skip = static_cast<size_t>(position_ - buffer_start_);
  available = held_ - std::min(held_, skip);
  return available > 0 ? buffer_.get() + skip : nullptr;
}

size_t BufferedSource::Read(void* buffer, size_t count) {
  auto* out = static_cast<uint8_t*>(buffer);
  size_t done = 0;
  while (done < count) {
    size_t available = 0;
    const uint8_t* bytes = Peek(available);
    if (bytes == nullptr) break;
    const size_t n = std::min(available, count - done);
    std::memcpy(out + done, bytes, n);
    done += n;
    position_ += static_cast<int64_t>(n);
  }
  return done;
}

}  // namespace tidemark
