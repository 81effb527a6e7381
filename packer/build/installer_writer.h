// Writes an installer's bytes in order. The stub and the start marker go out
// as they are; everything after the marker is the container, stored plain or
// scrambled. A scrambled container gets a tail byte that makes its checksum
// 0, and is watched for the plain start marker, which the installer would
// take for a plain container.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "container/byte_stream.h"
#include "packer/build/marker_watch.h"

namespace tidemark {

class InstallerWriter {
 public:
  InstallerWriter(ByteSink& target, bool scrambled);

  // Bytes before the container: the stub.
  void WriteStub(const void* data, size_t size);
  // The start marker that suits the container (plain or scrambled), unscrambled.
  void WriteStartMarker();
  // Container bytes after the start marker.
  void WriteContainer(const void* data, size_t size);
  // Ends the container. Raises Error when a scrambled container's stored
  // bytes hold the plain start marker.
  void Finish();

  int64_t written() const { return written_; }

 private:
  void Emit(const void* data, size_t size);

  ByteSink& target_;
  const bool scrambled_;
  int64_t key_index_ = 0;  // container bytes after the marker written so far
  uint8_t checksum_ = 0;  // XOR of the plain container bytes
  std::vector<uint8_t> scrambled_piece_;
  MarkerWatch plain_marker_watch_;
  int64_t written_ = 0;
};

}  // namespace tidemark
