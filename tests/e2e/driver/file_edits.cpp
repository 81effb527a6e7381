#include "tests/e2e/driver/file_edits.h"

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

#include "tests/e2e/driver/system_failure.h"

namespace tidemark::e2e {

namespace fs = std::filesystem;

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + path);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(file),
                              std::istreambuf_iterator<char>());
}

void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  file.close();
  if (!file) throw std::runtime_error("cannot write " + path);
}

void CopyFileTo(const std::string& from, const std::string& to) {
  std::error_code error;
  const fs::path target(to);
  if (target.has_parent_path()) fs::create_directories(target.parent_path(), error);
  // CopyFileA rather than std::filesystem: MinGW's copy_file refuses to
  // replace an existing file.
  if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) {
    throw SystemFailure("cannot copy " + from + " to " + to);
  }
}

namespace {

// The byte position that `offset` names in `bytes` (negative: from the end).
size_t PositionIn(const std::vector<uint8_t>& bytes, int64_t offset, const std::string& path) {
  const int64_t size = static_cast<int64_t>(bytes.size());
  const int64_t at = offset < 0 ? size + offset : offset;
  if (at < 0 || at >= size) {
    throw std::runtime_error("offset " + std::to_string(offset) + " lies outside " + path);
  }
  return static_cast<size_t>(at);
}

std::vector<uint8_t>::iterator FindText(std::vector<uint8_t>& bytes, const std::string& text,
                                        const std::string& path) {
  const auto at = std::search(bytes.begin(), bytes.end(), text.begin(), text.end(),
                              [](uint8_t byte, char c) { return byte == static_cast<uint8_t>(c); });
  if (text.empty() || at == bytes.end()) {
    throw std::runtime_error("\"" + text + "\" does not occur in " + path);
  }
  return at;
}

}  // namespace

void PatchFirst(const std::string& path, const std::string& old_bytes,
                const std::string& new_bytes) {
  if (old_bytes.empty() || old_bytes.size() != new_bytes.size()) {
    throw std::runtime_error("a patch must replace bytes by as many bytes");
  }
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  std::copy(new_bytes.begin(), new_bytes.end(), FindText(bytes, old_bytes, path));
  WriteWholeFile(path, bytes);
}

void FlipByte(const std::string& path, int64_t offset) {
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  uint8_t& byte = bytes[PositionIn(bytes, offset, path)];
  byte = static_cast<uint8_t>(~byte);
  WriteWholeFile(path, bytes);
}

void Truncate(const std::string& path, int64_t offset) {
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  bytes.resize(PositionIn(bytes, offset, path));
  WriteWholeFile(path, bytes);
}

void TruncateBefore(const std::string& path, const std::string& before_text) {
  std::vector<uint8_t> bytes = ReadWholeFile(path);
  bytes.erase(FindText(bytes, before_text, path), bytes.end());
  WriteWholeFile(path, bytes);
}

}  // namespace tidemark::e2e
