// A run of items of every kind with sizes taken from the input, read one
// after another from wherever the previous one left the source, as the
// installer reads on after a picture it could not show. The source hands out
// its bytes in reads of a chosen largest size, so that items meet the ends
// of the decompressor's input chunks at every place.
//
// Input: n = byte 0 % 8 + 1; n records of a kind byte (% 4: compressed, raw,
// rich text, picture) and a signed 32-bit little-endian size; a 16-bit
// little-endian largest read (0: no limit, bytes used in place); then the
// source's bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "container/errors.h"
#include "container/items.h"
#include "fuzz/fuzz_fault.h"
#include "tests/native/damage/item_checks.h"

namespace tidemark::fuzz {
namespace {

constexpr size_t kRecordSize = 5;

// A memory source whose reads deliver at most `largest_read` bytes. Without
// a limit its bytes are used where they lie, as the installer uses those of
// its own image.
class TricklingSource : public ByteSource {
 public:
  TricklingSource(const uint8_t* data, size_t size, size_t largest_read)
      : data_(data), source_(data, size), largest_read_(largest_read) {}
  int64_t Size() const override { return source_.Size(); }
  int64_t Position() const override { return source_.Position(); }
  void Seek(int64_t position) override { source_.Seek(position); }
  size_t Read(void* buffer, size_t count) override {
    return source_.Read(buffer,
                        largest_read_ == 0 || count < largest_read_ ? count : largest_read_);
  }
  const uint8_t* Peek(size_t& available) const override {
    if (largest_read_ != 0) return ByteSource::Peek(available);
    available = static_cast<size_t>(source_.Size() - source_.Position());
    return available > 0 ? data_ + source_.Position() : nullptr;
  }

 private:
  const uint8_t* data_;
  MemorySource source_;
  size_t largest_read_;
};

enum class Kind { kCompressed, kRaw, kRichText, kPicture };

struct Record {
  Kind kind;
  int32_t size;
};

uint32_t LittleEndian(const uint8_t* bytes, size_t count) {
  uint32_t value = 0;
  for (size_t i = 0; i < count; ++i) value |= uint32_t{bytes[i]} << (8 * i);
  return value;
}

void ReadItem(const Record& record, TricklingSource& source, const uint8_t* stream) {
  switch (record.kind) {
    case Kind::kCompressed:
      test::ReadCheckedCompressedItem(source, stream, record.size);
      break;
    case Kind::kRaw:
      test::ReadCheckedRawItem(source, record.size);
      break;
    case Kind::kRichText:
      Expect(LoadRichTextItem(source, record.size).size() == static_cast<size_t>(record.size),
             "text item of the wrong length");
      break;
    case Kind::kPicture: {
      const RgbImage image = LoadJpegItem(source, record.size);
      Expect(image.pixels.size() == static_cast<size_t>(image.width) * image.height * 3,
             "picture with the wrong number of pixels");
      break;
    }
  }
}

}  // namespace
}  // namespace tidemark::fuzz

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tidemark;
  using namespace tidemark::fuzz;
  if (size < 1) return 0;
  const size_t count = data[0] % 8 + 1;
  const size_t header = 1 + count * kRecordSize + 2;
  if (size < header) return 0;
  std::vector<Record> records;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* record = data + 1 + i * kRecordSize;
    records.push_back(
        {static_cast<Kind>(record[0] % 4), static_cast<int32_t>(LittleEndian(record + 1, 4))});
  }
  const size_t largest_read = LittleEndian(data + header - 2, 2);
  const uint8_t* stream = data + header;
  TricklingSource source(stream, size - header, largest_read);

  for (const Record& record : records) {
    const int64_t start = source.Position();
    try {
      ReadItem(record, source, stream);
    } catch (const test::CheckFailure& failure) {
      Fault(failure.what());
    } catch (const Error& error) {
      const std::string message = error.what();
      // A picture's own decoding has messages of its own; the item reading
      // under it has only these two.
      Expect(record.kind == Kind::kPicture || message == kStreamReadError ||
                 message == kDecompressionError,
             "undocumented item failure: " + message);
    }
    Expect(source.Position() >= start && source.Position() <= source.Size(),
           "item left the source outside [its start, the end]");
  }
  return 0;
}
