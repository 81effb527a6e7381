#include "packer/build/installer_writer.h"

#include "container/errors.h"
#include "container/layout.h"
#include "container/scrambling.h"

namespace tidemark {

InstallerWriter::InstallerWriter(ByteSink& target, bool scrambled)
    : target_(target), scrambled_(scrambled), plain_marker_watch_(StartMarker()) {}

void InstallerWriter::Emit(const void* data, size_t size) {
  target_.Write(data, size);
  written_ += static_cast<int64_t>(size);
}

void InstallerWriter::WriteStub(const void* data, size_t size) { Emit(data, size); }

void InstallerWriter::WriteStartMarker() {
  const std::string marker = scrambled_ ? ScrambledStartMarker() : StartMarker();
  Emit(marker.data(), marker.size());
}

void InstallerWriter::WriteContainer(const void* data, size_t size) {
  if (!scrambled_) {
    Emit(data, size);
    return;
  }
  const auto* plain = static_cast<const uint8_t*>(data);
  checksum_ ^= XorSum(plain, size);
  scrambled_piece_.assign(plain, plain + size);
  // The region starts at offset 0 of the container bytes after the marker.
  ScrambledRegion(0).Apply(scrambled_piece_.data(), size, key_index_);
  key_index_ += static_cast<int64_t>(size);
  // On purpose: only the scrambled bytes are watched. A plain marker cannot
  // begin inside the scrambled one: its only "d" is its first byte, and the
  // two differ soon after.
  plain_marker_watch_.Feed(scrambled_piece_.data(), size);
  Emit(scrambled_piece_.data(), size);
}

void InstallerWriter::Finish() {
  if (!scrambled_) return;
  // One plain byte equal to the XOR of all before it brings the XOR to 0.
  const uint8_t tail = checksum_;
  WriteContainer(&tail, 1);
  if (plain_marker_watch_.found()) {
    throw Error("the scrambled container happens to hold the plain start marker at offset " +
                std::to_string(plain_marker_watch_.found_at()) +
                " after the start marker; the installer would misread it. Pack it plain, or "
                "change any input byte");
  }
}

}  // namespace tidemark
