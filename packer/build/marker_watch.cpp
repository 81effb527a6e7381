#include "packer/build/marker_watch.h"

#include <algorithm>
#include <functional>

namespace tidemark {

MarkerWatch::MarkerWatch(std::string marker) : marker_(std::move(marker)) {}

bool MarkerWatch::Feed(const uint8_t* data, size_t size) {
  if (found() || size == 0) return found();
  const char* bytes = reinterpret_cast<const char*>(data);
  const size_t keep = marker_.size() - 1;

  // An occurrence that begins in the tail and ends in this piece.
  const std::string seam = tail_ + std::string(bytes, std::min(size, keep));
  const size_t in_seam = seam.find(marker_);
  if (in_seam != std::string::npos) {
    found_at_ = fed_ - static_cast<int64_t>(tail_.size()) + static_cast<int64_t>(in_seam);
    return true;
  }
  const char* hit = std::search(bytes, bytes + size,
                                std::boyer_moore_horspool_searcher(marker_.begin(), marker_.end()));
  if (hit != bytes + size) {
    found_at_ = fed_ + (hit - bytes);
    return true;
  }
  if (size >= keep) {
    tail_.assign(bytes + size - keep, keep);
  } else {
    tail_.append(bytes, size);
    if (tail_.size() > keep) tail_.erase(0, tail_.size() - keep);
  }
  fed_ += static_cast<int64_t>(size);
  return false;
}

}  // namespace tidemark
