// Preparing damaged or renamed copies of an installer for a case, and the
// driver's other file reads and writes. Paths are relative to the driver's
// current folder. Each raises std::runtime_error naming the file on failure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tidemark::e2e {

std::vector<uint8_t> ReadWholeFile(const std::string& path);
void WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Copies `from` to `to`, creating `to`'s folders and replacing an old copy.
void CopyFileTo(const std::string& from, const std::string& to);

// Replaces the first occurrence of `old_bytes` in the file by `new_bytes`,
// which must be as long, so that no offset in the file moves.
void PatchFirst(const std::string& path, const std::string& old_bytes,
                const std::string& new_bytes);

// Inverts every bit of one byte; a negative offset counts from the end
// (-1 is the last byte).
void FlipByte(const std::string& path, int64_t offset);

// Cuts the file off at `offset` (negative: counted from the end), or, with
// `before_text`, just before the first occurrence of that text.
void Truncate(const std::string& path, int64_t offset);
void TruncateBefore(const std::string& path, const std::string& before_text);

}  // namespace tidemark::e2e
