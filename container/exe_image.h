// ExeImage: the whole running executable as one seekable byte stream with a
// single read position. The bytes live in an ImageStorage, so that a plain
// copy in memory and a read-only mapping of the file can back it alike; they
// are never changed. A scrambled container is descrambled as it is read.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "container/byte_stream.h"
#include "container/scrambling.h"

namespace tidemark {

class ImageStorage {
 public:
  virtual ~ImageStorage() = default;
  virtual const uint8_t* data() const = 0;
  virtual size_t size() const = 0;
  // Copies the `count` bytes at `offset`, which lie within size(). A storage
  // over a file may read them with ordinary reads, faster than touching
  // every page of a mapping once; such a read that fails raises an Error.
  virtual void Copy(size_t offset, uint8_t* buffer, size_t count) const;
};

// Storage that owns its bytes in a vector.
class VectorStorage : public ImageStorage {
 public:
  explicit VectorStorage(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  const uint8_t* data() const override { return bytes_.data(); }
  size_t size() const override { return bytes_.size(); }

 private:
  std::vector<uint8_t> bytes_;
};

class ExeImage : public ByteSource {
 public:
  ExeImage() = default;
  explicit ExeImage(std::unique_ptr<ImageStorage> storage) { Assign(std::move(storage)); }

  // Replaces the content; the read position goes to 0 and nothing is
  // descrambled.
  void Assign(std::unique_ptr<ImageStorage> storage);
  void Assign(std::vector<uint8_t> bytes);
  // Lets the content end before the storage does (a signature's certificate
  // table is no part of it): Size() and every read stop at `end`.
  void EndAt(int64_t end);
  // From now on Read gives the bytes of `region` descrambled, and Peek
  // gives nothing there (the stored bytes are not the content).
  void DescrambleAs(const ScrambledRegion& region) { region_ = region; }
  const ScrambledRegion& scrambled_region() const { return region_; }

  int64_t Size() const override;
  int64_t Position() const override { return static_cast<int64_t>(position_); }
  void Seek(int64_t position) override;
  size_t Read(void* buffer, size_t count) override;
  const uint8_t* Peek(size_t& available) const override;

  // The bytes as stored, for bulk work (the checksum, the signature).
  const uint8_t* data() const;

 private:
  std::unique_ptr<ImageStorage> storage_;
  size_t position_ = 0;
  size_t end_ = 0;
  ScrambledRegion region_;
};

}  // namespace tidemark
