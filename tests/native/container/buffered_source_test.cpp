#include "container/buffered_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "container/errors.h"
#include "container/items.h"
#include "tests/native/container/test_support.h"

namespace tidemark {
namespace {

using test::Bytes;

// A file in memory that can be cut short, or go away, once some reads have
// been served: what a removable drive or a network share may do while the
// items are read.
class ShrinkingInput : public RandomAccessInput {
 public:
  explicit ShrinkingInput(Bytes bytes) : bytes_(std::move(bytes)) {}

  void CutAfterReads(int reads, size_t length) { reads_left_ = reads, cut_length_ = length; }
  void FailAfterReads(int reads) { reads_left_ = reads, fail_ = true; }

  // Once gone, the file has no size either.
  int64_t Size() const override {
    if (gone_) throw Error("The network name is no longer available");
    return static_cast<int64_t>(bytes_.size());
  }
  size_t ReadAt(int64_t offset, void* buffer, size_t count) override {
    if (reads_left_ == 0) {
      gone_ = fail_;
      if (gone_) throw Error("The network name is no longer available");
      bytes_.resize(std::min(bytes_.size(), cut_length_));
    }
    --reads_left_;
    const size_t at = std::min(static_cast<size_t>(offset), bytes_.size());
    const size_t n = std::min(count, bytes_.size() - at);
    std::memcpy(buffer, bytes_.data() + at, n);
    return n;
  }

 private:
  Bytes bytes_;
  int reads_left_ = -1;
  size_t cut_length_ = 0;
  bool fail_ = false;
  bool gone_ = false;
};

struct Item {
  Bytes content;
  Bytes stream;
};

Item MakeItem(Bytes content, int level) {
  Bytes stream = test::Deflate(content, level);
  return {std::move(content), std::move(stream)};
}

// Small items that share one buffer, one larger than the buffer (stored,
// so its stream is as long as its content) and raw bytes between them.
std::vector<Item> SampleItems() {
  std::vector<Item> items;
  for (uint32_t i = 0; i < 40; ++i)
    items.push_back(MakeItem(test::TextLikeBytes(3000 + i * 97, i), 6));
  items.push_back(MakeItem(test::RandomBytes(BufferedSource::kBufferSize * 2 + 1234, 9), 0));
  items.push_back(MakeItem(test::TextLikeBytes(500, 77), 9));
  return items;
}

Bytes Layout(const Bytes& head, const std::vector<Item>& items) {
  Bytes all = head;
  for (const Item& item : items) all.insert(all.end(), item.stream.begin(), item.stream.end());
  return all;
}

TEST(BufferedSource, ReadsItemsBackToBackAsFromMemory) {
  const Bytes head = test::RandomBytes(70000, 3);
  const std::vector<Item> items = SampleItems();
  ShrinkingInput input(Layout(head, items));
  BufferedSource source(input, static_cast<int64_t>(head.size()));
  int64_t expected_position = static_cast<int64_t>(head.size());
  for (const Item& item : items) {
    MemorySink sink;
    InflateItem(source, sink, static_cast<int32_t>(item.content.size()));
    expected_position += static_cast<int64_t>(item.stream.size());
    ASSERT_EQ(sink.bytes(), item.content);
    ASSERT_EQ(source.Position(), expected_position);
  }
  // Raw copies and seeks back into bytes already read.
  source.Seek(10);
  Bytes raw(head.size() - 10);
  EXPECT_EQ(source.Read(raw.data(), raw.size()), raw.size());
  EXPECT_TRUE(std::equal(raw.begin(), raw.end(), head.begin() + 10));
}

TEST(BufferedSource, LostMediumEndsTheItemInAnError) {
  const std::vector<Item> items = SampleItems();
  const Item& large = items[40];
  const Bytes file = Layout({}, {large});
  const auto size = static_cast<int32_t>(large.content.size());
  MemorySink sink;

  ShrinkingInput cut(file);
  cut.CutAfterReads(1, file.size() / 2);
  BufferedSource cut_source(cut, 0);
  try {
    InflateItem(cut_source, sink, size);
    FAIL() << "a file cut short inflated";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), kStreamReadError);
  }

  ShrinkingInput gone(file);
  gone.FailAfterReads(1);
  BufferedSource gone_source(gone, 0);
  try {
    InflateItem(gone_source, sink, size);
    FAIL() << "a failing read inflated";
  } catch (const Error& error) {
    EXPECT_STREQ(error.what(), "The network name is no longer available");
  }
}

}  // namespace
}  // namespace tidemark
