#include "tests/e2e/driver/png_writer.h"

#include <zlib.h>

#include <stdexcept>

namespace tidemark::e2e {
namespace {

constexpr uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr uint8_t kColourTypeRgb = 2;
constexpr uint8_t kColourTypeRgba = 6;
constexpr uint8_t kFilterNone = 0;

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(value >> shift));
}

// Length, type, data, and the CRC over type and data.
void PutChunk(std::vector<uint8_t>& out, const char (&type)[5], const std::vector<uint8_t>& data) {
  PutU32(out, static_cast<uint32_t>(data.size()));
  const size_t type_at = out.size();
  out.insert(out.end(), type, type + 4);
  out.insert(out.end(), data.begin(), data.end());
  const uLong crc = crc32(0L, out.data() + type_at, static_cast<uInt>(out.size() - type_at));
  PutU32(out, static_cast<uint32_t>(crc));
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& raw) {
  uLongf size = compressBound(static_cast<uLong>(raw.size()));
  std::vector<uint8_t> packed(size);
  if (compress2(packed.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 6) != Z_OK) {
    throw std::runtime_error("PNG compression failed");
  }
  packed.resize(size);
  return packed;
}

// The whole file: header, the rows each preceded by its filter type, end.
std::vector<uint8_t> EncodeRows(int width, int height, uint8_t colour_type, size_t pixel_bytes,
                                const std::vector<uint8_t>& pixels) {
  std::vector<uint8_t> header;
  PutU32(header, static_cast<uint32_t>(width));
  PutU32(header, static_cast<uint32_t>(height));
  header.insert(header.end(), {8, colour_type, 0, 0, 0});  // depth, colour, methods, interlace

  const size_t row_bytes = size_t(width) * pixel_bytes;
  std::vector<uint8_t> rows;
  rows.reserve((row_bytes + 1) * height);
  for (int y = 0; y < height; ++y) {
    rows.push_back(kFilterNone);
    const auto row = pixels.begin() + static_cast<std::ptrdiff_t>(row_bytes * y);
    rows.insert(rows.end(), row, row + static_cast<std::ptrdiff_t>(row_bytes));
  }

  std::vector<uint8_t> png(std::begin(kSignature), std::end(kSignature));
  PutChunk(png, "IHDR", header);
  PutChunk(png, "IDAT", Deflate(rows));
  PutChunk(png, "IEND", {});
  return png;
}

}  // namespace

std::vector<uint8_t> EncodePng(const RgbImage& image) {
  if (image.empty() || image.pixels.size() != size_t(image.width) * image.height * 3) {
    throw std::runtime_error("cannot encode an empty or inconsistent picture");
  }
  return EncodeRows(image.width, image.height, kColourTypeRgb, 3, image.pixels);
}

std::vector<uint8_t> EncodePngRgba(int width, int height, const std::vector<uint8_t>& rgba) {
  if (width <= 0 || height <= 0 || rgba.size() != size_t(width) * height * 4) {
    throw std::runtime_error("cannot encode an empty or inconsistent picture");
  }
  return EncodeRows(width, height, kColourTypeRgba, 4, rgba);
}

}  // namespace tidemark::e2e
