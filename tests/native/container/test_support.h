// Building blocks for container tests: zlib streams of chosen shape, small
// JPEGs, whole containers, and a temporary folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace tidemark::test {

using Bytes = std::vector<uint8_t>;

Bytes ToBytes(const std::string& text);
Bytes Concat(std::initializer_list<Bytes> parts);
Bytes ReadWholeFile(const std::filesystem::path& path);
void WriteFile(const std::filesystem::path& path, const Bytes& bytes);

// Deterministic content: random bytes, or text-like bytes that compress well.
Bytes RandomBytes(size_t size, uint32_t seed);
Bytes TextLikeBytes(size_t size, uint32_t seed);

// One zlib stream (header, deflate data, Adler-32) of `content`.
Bytes Deflate(const Bytes& content, int level = 6);
// The same with a preset dictionary, which containers must not use.
Bytes DeflateWithDictionary(const Bytes& content, const Bytes& dictionary);

// A small JPEG: a colour gradient, or one shade of grey.
Bytes EncodeJpeg(int width, int height, bool grey = false);

// A bare stub as the packer accepts it: the headers of an x86-64 Windows GUI
// program with one section that holds the stub signature and `filler`
// further bytes (no start marker among them).
Bytes BareStubBytes(size_t filler = 0);

// A container as the packer writes it: stub, start marker, CR LF, each line
// with CR LF, end marker, CR LF, then the items as given.
struct ContainerParts {
  Bytes stub = ToBytes("MZ stub program bytes");
  std::vector<std::string> lines;
  std::vector<Bytes> items;
};
Bytes BuildPlainContainer(const ContainerParts& parts);
// Scrambled form, with one tail byte that makes the checksum 0.
Bytes BuildScrambledContainer(const ContainerParts& parts);
// XORs `bytes` from `from` on with the scramble key, key phase 0 at `from`.
void ScrambleFrom(Bytes& bytes, size_t from);

// The headers of a PE32+ program with `sections` section headers (left
// zero) and 16 data directories, in 512 bytes: the optional header starts at
// kPeOptionalHeader, the data directories 112 bytes into it, the section
// table 240 bytes into it.
inline constexpr size_t kPeOptionalHeader = 0x40 + 4 + 20;
Bytes PeHeaders(uint16_t sections = 0);

// A fresh folder, removed with its content at the end of the test.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

}  // namespace tidemark::test
