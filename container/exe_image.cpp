#include "container/exe_image.h"

#include <algorithm>
#include <cstring>

namespace tidemark {

void ImageStorage::Copy(size_t offset, uint8_t* buffer, size_t count) const {
  std::memcpy(buffer, data() + offset, count);
}

void ExeImage::Assign(std::unique_ptr<ImageStorage> storage) {
  storage_ = std::move(storage);
  position_ = 0;
  end_ = storage_ ? storage_->size() : 0;
  region_ = ScrambledRegion();
}

void ExeImage::Assign(std::vector<uint8_t> bytes) {
  Assign(std::make_unique<VectorStorage>(std::move(bytes)));
}

void ExeImage::EndAt(int64_t end) {
  end_ = static_cast<size_t>(std::clamp<int64_t>(end, 0, storage_ ? storage_->size() : 0));
  position_ = std::min(position_, end_);
}

int64_t ExeImage::Size() const { return static_cast<int64_t>(end_); }

void ExeImage::Seek(int64_t position) {
  position_ = static_cast<size_t>(std::clamp<int64_t>(position, 0, Size()));
}

size_t ExeImage::Read(void* buffer, size_t count) {
  const size_t n = std::min(count, static_cast<size_t>(Size()) - position_);
  if (n > 0) {
    storage_->Copy(position_, static_cast<uint8_t*>(buffer), n);
    region_.Apply(static_cast<uint8_t*>(buffer), n, static_cast<int64_t>(position_));
  }
  position_ += n;
  return n;
}

const uint8_t* ExeImage::Peek(size_t& available) const {
  // Only the bytes before the scrambled region are the content as stored.
  const size_t end =
      static_cast<size_t>(std::clamp<int64_t>(region_.start(), 0, Size()));
  available = end > position_ ? end - position_ : 0;
  return available > 0 ? data() + position_ : nullptr;
}

const uint8_t* ExeImage::data() const { return storage_ ? storage_->data() : nullptr; }

}  // namespace tidemark
