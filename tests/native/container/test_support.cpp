#include "tests/native/container/test_support.h"

#include <stdlib.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>

#include "codecs/jpeg_encoder.h"
#include "container/layout.h"
#include "container/pe_headers.h"

namespace tidemark::test {
namespace {

uint32_t NextRandom(uint32_t& state) {
  state ^= state << 13;
  state ^= state >> 17;
  state ^= state << 5;
  return state;
}

void AppendLine(Bytes& out, const std::string& line) {
  out.insert(out.end(), line.begin(), line.end());
  out.push_back('\r');
  out.push_back('\n');
}

Bytes ContainerWithMarker(const ContainerParts& parts, const std::string& start_marker) {
  Bytes out = parts.stub;
  AppendLine(out, start_marker);
  for (const std::string& line : parts.lines) AppendLine(out, line);
  AppendLine(out, EndMarker());
  for (const Bytes& item : parts.items) out.insert(out.end(), item.begin(), item.end());
  return out;
}

}  // namespace

Bytes ToBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

Bytes ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

Bytes RandomBytes(size_t size, uint32_t seed) {
  uint32_t state = seed | 1;
  Bytes out(size);
  for (uint8_t& b : out) b = static_cast<uint8_t>(NextRandom(state) >> 24);
  return out;
}

Bytes BareStubBytes(size_t filler) {
  constexpr size_t kPe = 0x40, kOptional = kPe + 24, kOptionalSize = 152,
                   kSection = kOptional + kOptionalSize;
  constexpr size_t kData = kSection + 40;
  auto put16 = [](Bytes& bytes, size_t at, uint32_t value) {
    bytes[at] = static_cast<uint8_t>(value);
    bytes[at + 1] = static_cast<uint8_t>(value >> 8);
  };
  auto put32 = [&](Bytes& bytes, size_t at, uint32_t value) {
    put16(bytes, at, value & 0xFFFF);
    put16(bytes, at + 2, value >> 16);
  };
  const Bytes data = Concat({ToBytes(kStubSignature), TextLikeBytes(filler, 5)});
  Bytes stub(kData + data.size());
  std::copy(data.begin(), data.end(), stub.begin() + kData);
  stub[0] = 'M', stub[1] = 'Z';
  put32(stub, 0x3C, kPe);
  stub[kPe] = 'P', stub[kPe + 1] = 'E';
  put16(stub, kPe + 4, 0x8664);  // machine
  put16(stub, kPe + 6, 1);       // sections
  put16(stub, kPe + 20, kOptionalSize);
  put16(stub, kPe + 22, 0x0022);    // executable, large addresses
  put16(stub, kOptional, 0x20B);    // PE32+
  put16(stub, kOptional + 68, 2);   // GUI
  put32(stub, kOptional + 108, 5);  // directories up to the certificate table
  std::copy_n(".rdata", 6, stub.begin() + kSection);
  put32(stub, kSection + 16, static_cast<uint32_t>(data.size()));
  put32(stub, kSection + 20, kData);
  return stub;
}

Bytes TextLikeBytes(size_t size, uint32_t seed) {
  static const char* const kWords[] = {"tide ", "mark ",        "install ", "folder ", "shortcut ",
                                       "\r\n",  "Marrowlight ", "0x1F ",    "zlib "};
  uint32_t state = seed | 1;
  Bytes out;
  out.reserve(size);
  while (out.size() < size) {
    const char* word = kWords[NextRandom(state) % std::size(kWords)];
    for (; *word && out.size() < size; ++word) out.push_back(static_cast<uint8_t>(*word));
  }
  return out;
}

Bytes Deflate(const Bytes& content, int level) {
  uLongf length = compressBound(static_cast<uLong>(content.size()));
  Bytes out(length);
  if (compress2(out.data(), &length, content.data(), static_cast<uLong>(content.size()), level) !=
      Z_OK) {
    throw std::runtime_error("compress2 failed");
  }
  out.resize(length);
  return out;
}

Bytes DeflateWithDictionary(const Bytes& content, const Bytes& dictionary) {
  z_stream stream{};
  deflateInit(&stream, 6);
  deflateSetDictionary(&stream, dictionary.data(), static_cast<uInt>(dictionary.size()));
  Bytes out(deflateBound(&stream, static_cast<uLong>(content.size())));
  stream.next_in = const_cast<Bytef*>(content.data());
  stream.avail_in = static_cast<uInt>(content.size());
  stream.next_out = out.data();
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

Bytes EncodeJpeg(int width, int height, bool grey) {
  const int components = grey ? 1 : 3;
  return tidemark::EncodeJpeg(width, height, components, 95, [&](int y, uint8_t* row) {
    for (int x = 0; x < width; ++x) {
      if (grey) {
        row[x] = 128;
      } else {
        row[x * 3 + 0] = static_cast<uint8_t>(x * 255 / (width - 1));
        row[x * 3 + 1] = static_cast<uint8_t>(y * 255 / (height - 1));
        row[x * 3 + 2] = 64;
      }
    }
  });
}

Bytes BuildPlainContainer(const ContainerParts& parts) {
  return ContainerWithMarker(parts, StartMarker());
}

void ScrambleFrom(Bytes& bytes, size_t from) {
  for (size_t i = from; i < bytes.size(); ++i) {
    bytes[i] ^= static_cast<uint8_t>(ScrambleKey[(i - from) % kScrambleKeyLength]);
  }
}

Bytes BuildScrambledContainer(const ContainerParts& parts) {
  Bytes out = ContainerWithMarker(parts, ScrambledStartMarker());
  const size_t payload = parts.stub.size() + kStartMarkerLength;
  uint8_t sum = 0;
  for (size_t i = payload; i < out.size(); ++i) sum ^= out[i];
  out.push_back(sum);  // the tail: the XOR of all plain bytes is now 0
  ScrambleFrom(out, payload);
  return out;
}

Bytes PeHeaders(uint16_t sections) {
  Bytes image(512, 0);
  image[0] = 'M';
  image[1] = 'Z';
  WriteLe32(&image[0x3c], 0x40);
  WriteLe32(&image[0x40], 0x00004550);  // "PE\0\0"
  WriteLe16(&image[0x44], 0x8664);
  WriteLe16(&image[0x46], sections);
  WriteLe16(&image[0x44 + 16], 240);
  WriteLe16(&image[kPeOptionalHeader], 0x20b);
  WriteLe32(&image[kPeOptionalHeader + 108], 16);
  return image;
}

TempFolder::TempFolder() {
  // Random names until one is free: portable to Windows, which has no mkdtemp.
  std::random_device random;
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path candidate =
        std::filesystem::temp_directory_path() / ("tidemark-test-" + std::to_string(random()));
    if (std::filesystem::create_directory(candidate)) {
      path_ = candidate;
      return;
    }
  }
  throw std::runtime_error("cannot create a temporary folder");
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

}  // namespace tidemark::test
