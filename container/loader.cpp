#include "container/loader.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <vector>

#include "container/certificate_table.h"
#include "container/errors.h"
#include "container/layout.h"
#include "container/scrambling.h"

namespace tidemark {
namespace {

// Signing starts the certificate table on a multiple of this, padding the
// file with zero bytes.
constexpr size_t kSigningAlignment = 8;

// Block size for scans that read through the ByteSource interface: large
// enough that a scan of a large file takes few reads.
constexpr size_t kScanBlock = 1 << 20;

std::string BaseName(const std::string& path) {
  const size_t separator = path.find_last_of("\\/:");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

}  // namespace

bool FindMarker(const std::string& marker, ByteSource& source, int64_t& position) {
  const size_t length = marker.size();
  source.Seek(position);
  position = source.Position();
  if (length == 0) {
    source.Seek(++position);
    return true;
  }
  // A block plus the marker's length - 1 bytes carried over from the block
  // before, so that a marker across two reads is still seen. A small file
  // needs no more than its own size.
  const int64_t remaining = source.Size() - position;
  const size_t block_size = static_cast<size_t>(
      std::clamp<int64_t>(remaining, 1, static_cast<int64_t>(kScanBlock)));
  std::vector<uint8_t> window(block_size + length - 1);
  // Skips ahead by up to the marker's length at a time: a scrambled
  // container is searched to its end for the plain marker first.
  const std::boyer_moore_horspool_searcher searcher(marker.begin(), marker.end());
  size_t held = 0;
  int64_t window_offset = position;  // file offset of window[0]
  for (;;) {
    const size_t got = source.Read(window.data() + held, block_size);
    held += got;
    const auto end = window.begin() + static_cast<std::ptrdiff_t>(held);
    const auto hit = std::search(window.begin(), end, searcher);
    if (hit != end) {
      position = window_offset + (hit - window.begin()) + 1;
      source.Seek(position);
      return true;
    }
    if (got == 0) break;
    const size_t keep = std::min(held, length - 1);
    std::memmove(window.data(), window.data() + held - keep, keep);
    window_offset += static_cast<int64_t>(held - keep);
    held = keep;
  }
  position = source.Size();
  source.Seek(position);
  return false;
}

bool IsUninstallerFileName(const std::string& file_name) {
  std::string name = BaseName(file_name);
  for (char& c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return name == kUninstallerName;
}

void DescramblePayload(ExeImage& image, const std::string& running_file_name,
                       size_t signing_padding) {
  const int64_t start = image.Position();
  const int64_t end = image.Size();
  // One pass that reads the stored bytes: the plain bytes' XOR is theirs
  // with the key's over the same length.
  const uint64_t length = static_cast<uint64_t>(end - start);
  std::vector<uint8_t> block(static_cast<size_t>(std::min<uint64_t>(kScanBlock, length)));
  uint8_t sum = KeyXorSum(length);
  while (const size_t got = image.Read(block.data(), block.size())) {
    sum ^= XorSum(block.data(), got);
  }
  // A stored 0 reads as its key byte; leave out such bytes from the end, one
  // by one, while the sum does not hold.
  if (sum != 0 && signing_padding > 0) {
    uint8_t stored[kSigningAlignment] = {};
    const size_t tail = static_cast<size_t>(
        std::min<uint64_t>({signing_padding, length, sizeof stored}));
    image.Seek(end - static_cast<int64_t>(tail));
    image.Read(stored, tail);
    for (size_t i = tail; sum != 0 && i > 0 && stored[i - 1] == 0; --i) {
      sum ^= KeyByte(length - tail + i - 1);
    }
  }
  image.DescrambleAs(ScrambledRegion(start));
  image.Seek(end);
  if (sum != 0 && !IsUninstallerFileName(running_file_name)) {
    throw LoadError(LoadFailure::kChecksum);
  }
}

bool ParseControlInfo(ByteSource& source, int64_t& next_offset, ControlInfo& info) {
  const std::string end_marker = EndMarker();
  info.Clear();
  info.AddLine("d");
  std::string* line = &info.lines().back();
  std::vector<uint8_t> block(4096);
  for (;;) {
    const size_t got = source.Read(block.data(), block.size());
    if (got == 0) return false;
    for (size_t i = 0; i < got; ++i) {
      const uint8_t byte = block[i];
      if (byte == '\r') {
        info.AddLine(std::string());
        line = &info.lines().back();
      } else if (byte >= 0x20) {
        line->push_back(static_cast<char>(byte));
        // The marker holds no line break, so it can only complete at the end
        // of the line being built, with the byte just appended.
        if (line->size() >= end_marker.size() &&
            line->compare(line->size() - end_marker.size(), end_marker.size(), end_marker) == 0) {
          next_offset += static_cast<int64_t>(i + 1);
          source.Seek(next_offset);
          return true;
        }
      }
    }
    next_offset += static_cast<int64_t>(got);
  }
}

ContainerHead LoadContainerHead(ExeImage& image, const std::string& running_file_name,
                                ControlInfo& info) {
  try {
    ContainerHead head;
    info.Clear();
    image.DescrambleAs(ScrambledRegion());  // the marker search reads the bytes as stored
    const size_t file_size = static_cast<size_t>(image.Size());
    const size_t container_end = ContainerEnd(image.data(), file_size);
    image.EndAt(static_cast<int64_t>(container_end));
    const size_t signing_padding = container_end < file_size ? kSigningAlignment - 1 : 0;
    int64_t next_offset = 0;
    if (!FindMarker(StartMarker(), image, next_offset)) {
      next_offset = 0;
      if (!FindMarker(ScrambledStartMarker(), image, next_offset)) {
        throw LoadError(LoadFailure::kNoControlInfo);
      }
      head.scrambled = true;
    }
    // next_offset is the marker's second byte; the payload starts after it.
    image.Seek(next_offset + static_cast<int64_t>(kStartMarkerLength) - 1);
    if (head.scrambled) DescramblePayload(image, running_file_name, signing_padding);
    image.Seek(next_offset);
    if (!ParseControlInfo(image, next_offset, info)) throw LoadError(LoadFailure::kNotTerminated);
    head.data_start = next_offset + 2;
    return head;
  } catch (const LoadError&) {
    throw;
  } catch (const std::exception&) {
    throw LoadError(LoadFailure::kInitialise);
  }
}

}  // namespace tidemark
