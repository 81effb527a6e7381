#include "container/loader.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "container/certificate_table.h"
#include "container/errors.h"
#include "container/layout.h"

namespace tidemark {
namespace {

// Signing starts the certificate table on a multiple of this, padding the
// file with zero bytes.
constexpr size_t kSigningAlignment = 8;

// Block size for scans that read through the ByteSource interface.
constexpr size_t kScanBlock = 64 * 1024;

// The key repeated 64 times: a multiple of both its own length and 8, so that
// whole 64-bit words can be processed with every block starting in phase.
constexpr size_t kWideKeyLength = kScrambleKeyLength * 64;

std::array<uint8_t, kWideKeyLength> WideKey() {
  std::array<uint8_t, kWideKeyLength> key{};
  for (size_t i = 0; i < key.size(); ++i) {
    key[i] = static_cast<uint8_t>(ScrambleKey[i % kScrambleKeyLength]);
  }
  return key;
}

// XORs `data` with the key from phase 0 and returns the XOR of the results.
uint8_t DescrambleBlock(uint8_t* data, size_t size, const uint8_t* key) {
  uint64_t word_sum = 0;
  size_t i = 0;
  for (; i + 8 <= size; i += 8) {
    uint64_t word, key_word;
    std::memcpy(&word, data + i, 8);
    std::memcpy(&key_word, key + i, 8);
    word ^= key_word;
    std::memcpy(data + i, &word, 8);
    word_sum ^= word;
  }
  uint8_t sum = 0;
  for (; i < size; ++i) {
    data[i] ^= key[i];
    sum ^= data[i];
  }
  for (int shift = 0; shift < 64; shift += 8) sum ^= static_cast<uint8_t>(word_sum >> shift);
  return sum;
}

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
  // before, so that a marker across two reads is still seen.
  std::vector<uint8_t> window(kScanBlock + length - 1);
  size_t held = 0;
  int64_t window_offset = position;  // file offset of window[0]
  for (;;) {
    const size_t got = source.Read(window.data() + held, kScanBlock);
    held += got;
    const auto end = window.begin() + static_cast<std::ptrdiff_t>(held);
    const auto hit = std::search(window.begin(), end, marker.begin(), marker.end());
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
  static const std::array<uint8_t, kWideKeyLength> key = WideKey();
  const int64_t start = image.Position();
  const int64_t end = image.Size();
  uint8_t* data = image.mutable_data();
  uint8_t sum = 0;
  for (int64_t offset = start; offset < end; offset += kWideKeyLength) {
    const size_t block = static_cast<size_t>(std::min<int64_t>(kWideKeyLength, end - offset));
    sum ^= DescrambleBlock(data + offset, block, key.data());
  }
  // A stored 0 reads as its key byte; leave out such bytes from the end, one
  // by one, while the sum does not hold.
  for (int64_t at = end - 1; sum != 0 && signing_padding > 0 && at >= start;
       --at, --signing_padding) {
    const uint8_t key_byte = key[static_cast<size_t>(at - start) % kWideKeyLength];
    if (data[at] != key_byte) break;
    sum ^= key_byte;
  }
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
