// Watches a byte stream, fed in pieces, for the first occurrence of a marker,
// including one that straddles two pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tidemark {

class MarkerWatch {
 public:
  explicit MarkerWatch(std::string marker);

  // Returns true once the marker has been seen (in this piece or before).
  bool Feed(const uint8_t* data, size_t size);

  bool found() const { return found_at_ >= 0; }
  // Offset of the marker's first byte from the start of the stream; -1 if not seen.
  int64_t found_at() const { return found_at_; }

 private:
  std::string marker_;
  std::string tail_;  // the last (marker length - 1) bytes fed so far
  int64_t fed_ = 0;
  int64_t found_at_ = -1;
};

}  // namespace tidemark
