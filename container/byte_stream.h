// Seekable byte sources and simple byte sinks. Every item operation reads
// from a ByteSource at its current position and leaves the position on the
// first byte after the item.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tidemark {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual int64_t Size() const = 0;
  virtual int64_t Position() const = 0;
  // Positions outside [0, Size()] are clamped to the nearest end.
  virtual void Seek(int64_t position) = 0;
  // Reads up to `count` bytes at the position and advances it; returns the
  // number of bytes read, 0 at the end of the data.
  virtual size_t Read(void* buffer, size_t count) = 0;
  // The bytes from the position on, when the source holds them in memory in
  // one piece: returns them and their number in `available`, without moving
  // the position, so that they can be used where they lie. nullptr otherwise.
  virtual const uint8_t* Peek(size_t& available) const {
    available = 0;
    return nullptr;
  }
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Writes all `count` bytes or raises an Error.
  virtual void Write(const void* data, size_t count) = 0;
};

// A source over bytes owned elsewhere (or by itself, when built from a vector).
class MemorySource : public ByteSource {
 public:
  MemorySource(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  explicit MemorySource(std::vector<uint8_t> bytes)
      : owned_(std::move(bytes)), data_(owned_.data()), size_(owned_.size()) {}

  int64_t Size() const override { return static_cast<int64_t>(size_); }
  int64_t Position() const override { return static_cast<int64_t>(position_); }
  void Seek(int64_t position) override;
  size_t Read(void* buffer, size_t count) override;

 private:
  std::vector<uint8_t> owned_;
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

class MemorySink : public ByteSink {
 public:
  void Write(const void* data, size_t count) override;
  const std::vector<uint8_t>& bytes() const { return bytes_; }
  std::vector<uint8_t>& bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace tidemark
