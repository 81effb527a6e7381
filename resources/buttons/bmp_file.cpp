#include "resources/buttons/bmp_file.h"

#include <fstream>
#include <stdexcept>

namespace tidemark {
namespace {

constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kV5HeaderSize = 124;
constexpr uint32_t kBitFields = 3;
constexpr uint32_t kSrgb = 0x73524742;  // 'sRGB'
constexpr uint32_t kImageIntent = 4;    // LCS_GM_IMAGES

class LittleEndianWriter {
 public:
  explicit LittleEndianWriter(std::vector<uint8_t>& out) : out_(out) {}
  void U16(uint16_t value) {
    for (int i = 0; i < 2; ++i) out_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  void U32(uint32_t value) {
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
  void Zeros(size_t count) { out_.insert(out_.end(), count, 0); }

 private:
  std::vector<uint8_t>& out_;
};

}  // namespace

std::vector<uint8_t> EncodeBmp32(const Canvas& canvas) {
  const uint32_t pixel_bytes = static_cast<uint32_t>(canvas.width()) * canvas.height() * 4;
  const uint32_t pixel_offset = kFileHeaderSize + kV5HeaderSize;
  static_assert(kFileHeaderSize + kV5HeaderSize == kBmp32PixelOffset);
  std::vector<uint8_t> out;
  out.reserve(pixel_offset + pixel_bytes);
  LittleEndianWriter w(out);

  // BITMAPFILEHEADER
  w.U16(0x4D42);  // "BM"
  w.U32(pixel_offset + pixel_bytes);
  w.U32(0);
  w.U32(pixel_offset);

  // BITMAPV5HEADER: positive height, so rows run bottom to top.
  w.U32(kV5HeaderSize);
  w.U32(static_cast<uint32_t>(canvas.width()));
  w.U32(static_cast<uint32_t>(canvas.height()));
  w.U16(1);   // planes
  w.U16(32);  // bits per pixel
  w.U32(kBitFields);
  w.U32(pixel_bytes);
  w.U32(3780);  // 96 pixels per inch, in pixels per metre
  w.U32(3780);
  w.U32(0);           // colours used
  w.U32(0);           // colours important
  w.U32(0x00FF0000);  // red mask
  w.U32(0x0000FF00);  // green mask
  w.U32(0x000000FF);  // blue mask
  w.U32(0xFF000000);  // alpha mask
  w.U32(kSrgb);
  w.Zeros(36 + 12);  // endpoints, gamma (unused for sRGB)
  w.U32(kImageIntent);
  w.Zeros(12);  // profile data, profile size, reserved

  const std::vector<uint8_t>& rgba = canvas.pixels();
  for (int y = canvas.height() - 1; y >= 0; --y) {
    for (int x = 0; x < canvas.width(); ++x) {
      const uint8_t* p = &rgba[(static_cast<size_t>(y) * canvas.width() + x) * 4];
      out.insert(out.end(), {p[2], p[1], p[0], p[3]});  // B, G, R, A
    }
  }
  return out;
}

void WriteFileBytes(const std::vector<uint8_t>& bytes, const std::string& path) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace tidemark
