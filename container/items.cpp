#include "container/items.h"

#include <zlib.h>

#include <algorithm>
#include <memory>

#include "container/errors.h"
#include "container/file_sink.h"
#include "container/layout.h"

namespace tidemark {
namespace {

// Output is handed to the target in blocks of this size (or the whole
// content, when that is smaller): large enough for a file target to write
// each block as it comes, without copying it into a buffer of its own, and
// small enough to stay in the processor's cache between inflating it and
// writing it (measured under Wine: larger blocks make both steps slower).
constexpr size_t kOutputBlock = 128 * 1024;

// One zlib inflate state over the source. It takes input in chunks of
// kInflateChunk bytes as the decompressor asks for them, and on release moves
// the source back by the input taken but not used, so that the source stands
// right after the consumed input whether the item succeeded or not. Input
// that the source holds in memory is used where it lies; other sources are
// read into a buffer.
class ItemInflater {
 public:
  explicit ItemInflater(ByteSource& source) : source_(source) {
    if (inflateInit(&stream_) != Z_OK) throw Error(kDecompressionError);
  }
  ~ItemInflater() {
    source_.Seek(source_.Position() - static_cast<int64_t>(stream_.avail_in));
    inflateEnd(&stream_);
  }
  ItemInflater(const ItemInflater&) = delete;
  ItemInflater& operator=(const ItemInflater&) = delete;

  // Inflates into [out, out + capacity) until that space is full or the
  // stream ends; returns the bytes produced.
  size_t Inflate(uint8_t* out, size_t capacity) {
    stream_.next_out = out;
    stream_.avail_out = static_cast<uInt>(capacity);
    while (!finished_ && stream_.avail_out > 0) {
      // Input is fetched only once the decompressor has used up what it has:
      // it may still finish the stream from its own buffered bits.
      const int result = inflate(&stream_, Z_NO_FLUSH);
      if (result == Z_STREAM_END) {
        finished_ = true;
      } else if (result != Z_OK && result != Z_BUF_ERROR) {
        // Damaged header or data, a preset dictionary, an Adler-32 mismatch.
        throw Error(kDecompressionError);
      } else if (stream_.avail_out > 0 && !Refill()) {
        throw Error(kStreamReadError);
      }
    }
    return capacity - stream_.avail_out;
  }

  bool finished() const { return finished_; }

 private:
  bool Refill() {
    if (stream_.avail_in > 0) return true;
    size_t available = 0;
    if (const uint8_t* bytes = source_.Peek(available)) {
      const size_t got = std::min(available, kInflateChunk);
      source_.Seek(source_.Position() + static_cast<int64_t>(got));
      stream_.next_in = const_cast<uint8_t*>(bytes);  // zlib only reads it
      stream_.avail_in = static_cast<uInt>(got);
      return true;
    }
    if (!input_) input_.reset(new uint8_t[kInflateChunk]);
    const size_t got = source_.Read(input_.get(), kInflateChunk);
    stream_.next_in = input_.get();
    stream_.avail_in = static_cast<uInt>(got);
    return got > 0;
  }

  ByteSource& source_;
  std::unique_ptr<uint8_t[]> input_;
  z_stream stream_{};
  bool finished_ = false;
};

// Passes the item's pieces on to the file and reports each one once the
// next has been written, so that the meter moves within a large file while
// the last piece is reported only once the file is whole.
class ReportingSink : public ByteSink {
 public:
  ReportingSink(FileSink& file, const ProgressFn& progress) : file_(file), progress_(progress) {}
  void Write(const void* data, size_t count) override {
    file_.Write(data, count);
    if (unreported_ != 0 && progress_) progress_(unreported_);
    unreported_ = static_cast<int64_t>(count);
  }
  int64_t unreported() const { return unreported_; }

 private:
  FileSink& file_;
  const ProgressFn& progress_;
  int64_t unreported_ = 0;
};

// Writes the item with `write_item` into the file, closes it and reports
// the last piece: a failure leaves that piece, and so the file's end,
// unreported.
template <typename WriteItem>
void WriteItemToFile(FileSink& file, int32_t size, const ProgressFn& progress,
                     WriteItem write_item) {
  RequireItemSize(size);
  ReportingSink reporting(file, progress);
  write_item(reporting);
  file.Close();
  if (progress) progress(reporting.unreported());
}

}  // namespace

void RequireItemSize(int32_t size) {
  if (size < 0) throw Error(kStreamReadError);
}

bool InflateItem(ByteSource& source, ByteSink& target, int32_t size) {
  RequireItemSize(size);
  ItemInflater inflater(source);
  const size_t block =
      std::max<size_t>(1, std::min<size_t>(kOutputBlock, static_cast<size_t>(size)));
  std::unique_ptr<uint8_t[]> output(new uint8_t[block]);
  size_t remaining = static_cast<size_t>(size);
  while (remaining > 0) {
    if (inflater.finished()) throw Error(kStreamReadError);  // stream shorter than size
    const size_t produced = inflater.Inflate(output.get(), std::min(block, remaining));
    target.Write(output.get(), produced);
    remaining -= produced;
  }
  // The content is complete: the stream must end here, with its Adler-32.
  // A stream with more content than the size says is damaged, since every
  // item after it would be read from the wrong place.
  uint8_t extra;
  if (inflater.Inflate(&extra, 1) != 0) throw Error(kDecompressionError);
  return true;
}

void CopyRawItem(ByteSource& source, ByteSink& target, int32_t size) {
  RequireItemSize(size);
  size_t remaining = static_cast<size_t>(size);
  const size_t piece = std::max<size_t>(1, std::min(kCopyPiece, remaining));
  std::unique_ptr<uint8_t[]> buffer(new uint8_t[piece]);
  while (remaining > 0) {
    const size_t got = source.Read(buffer.get(), std::min(piece, remaining));
    if (got == 0) throw Error(kStreamReadError);
    target.Write(buffer.get(), got);
    remaining -= got;
  }
}

std::vector<uint8_t> LoadRichTextItem(ByteSource& source, int32_t size) {
  RequireItemSize(size);
  MemorySink text;
  // Reserve no more than the source can still deliver: a size that claims
  // more fails after reading what is there.
  const int64_t available = source.Size() - source.Position();
  text.bytes().reserve(static_cast<size_t>(std::clamp<int64_t>(size, 0, available)));
  CopyRawItem(source, text, size);
  return std::move(text.bytes());
}

void InflateItemToFile(ByteSource& source, FileSink& file, int32_t size,
                       const ProgressFn& progress) {
  WriteItemToFile(file, size, progress, [&](ByteSink& sink) { InflateItem(source, sink, size); });
}

void CopyRawToFile(ByteSource& source, FileSink& file, int32_t size, const ProgressFn& progress) {
  WriteItemToFile(file, size, progress, [&](ByteSink& sink) { CopyRawItem(source, sink, size); });
}

}  // namespace tidemark
