// The item operations: each reads one item at the source's position and
// leaves the position on the first byte after it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "container/byte_stream.h"
#include "container/file_sink.h"
#include "container/rgb_image.h"

namespace tidemark {

// Called with the number of bytes by which the progress meter grows.
using ProgressFn = std::function<void(int64_t)>;

// Inflates one zlib stream of exactly `size` content bytes into `target`,
// checks its Adler-32 and leaves the source just after the stream. Raises
// Error("Error") on damaged data and Error("Stream read error") when the
// data ends first. A size of 0 is an empty stream. Returns true.
bool InflateItem(ByteSource& source, ByteSink& target, int32_t size);

// Inflates a JPEG item and decodes it at full scale into 24-bit colour.
RgbImage LoadJpegItem(ByteSource& source, int32_t size);

// Copies exactly `size` raw bytes into `target`, in pieces of at most
// kCopyPiece bytes. Raises "Stream read error" when the source ends first.
void CopyRawItem(ByteSource& source, ByteSink& target, int32_t size);

// Copies exactly `size` raw bytes (a text item). Raises "Stream read error"
// when the source ends first.
std::vector<uint8_t> LoadRichTextItem(ByteSource& source, int32_t size);

// Raises Error("Stream read error") for a negative size, which no item can
// have; a caller checks it before it makes anything for the item.
void RequireItemSize(int32_t size);

// The two item-to-file operations share one contract: the caller opens
// `file` (CreateFileSink), the item is written into it piece by piece and
// the file is closed. `progress` receives the size of each piece once the
// next one is written, and of the last once the file is closed, so that
// together they make `size` only for a whole file. Every failure (a
// negative size, a damaged or short item, a write that fails) raises an
// Error and leaves at least the last piece unreported; the file keeps what
// was written.

// Inflates one compressed item into `file`.
void InflateItemToFile(ByteSource& source, FileSink& file, int32_t size,
                       const ProgressFn& progress);

// Copies `size` raw bytes into `file`.
void CopyRawToFile(ByteSource& source, FileSink& file, int32_t size, const ProgressFn& progress);

}  // namespace tidemark
