#include "codecs/jpeg_coding.h"

namespace tidemark {
namespace {

constexpr uint8_t kStartOfImage = 0xD8;
constexpr uint8_t kStartOfScan = 0xDA;
constexpr uint8_t kEndOfImage = 0xD9;
constexpr uint8_t kDefineHuffmanTables = 0xC4;
constexpr uint8_t kReservedExtension = 0xC8;
constexpr uint8_t kDefineArithmeticConditioning = 0xCC;

bool IsFrameMarker(uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != kDefineHuffmanTables &&
         marker != kReservedExtension && marker != kDefineArithmeticConditioning;
}

// Markers that stand alone, without a length: TEM and RST0 to RST7.
bool StandsAlone(uint8_t marker) { return marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7); }

}  // namespace

bool IsArithmeticCodedJpeg(const uint8_t* bytes, size_t size) {
  if (size < 2 || bytes[0] != 0xFF || bytes[1] != kStartOfImage) return false;
  size_t at = 2;
  while (at + 1 < size) {
    if (bytes[at] != 0xFF) return false;
    const uint8_t marker = bytes[at + 1];
    at += 2;
    if (marker == 0xFF) {  // fill byte before the marker
      --at;
      continue;
    }
    if (IsFrameMarker(marker)) return marker >= 0xC9;
    if (marker == kStartOfScan || marker == kEndOfImage) return false;
    if (StandsAlone(marker)) continue;
    if (at + 1 >= size) return false;
    at += static_cast<size_t>(bytes[at]) << 8 | bytes[at + 1];
  }
  return false;
}

}  // namespace tidemark
