// A walk over a whole container for tools (listing, verifying, extracting):
// the head as start-up reads it, with the place of every item, and a reader
// for one compressed item at a time. The file items themselves are read by
// the caller, who knows their sizes from the file lines.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "container/byte_stream.h"
#include "container/control_info.h"
#include "container/exe_image.h"
#include "container/loader.h"

namespace tidemark {

// Where one item lies: [start, end) in the image, and its content length
// (for a raw item the same as end - start).
struct ItemExtent {
  int64_t start = 0;
  int64_t end = 0;
  int64_t content_size = 0;
};

// Where the head items' content goes; a null sink discards it.
struct HeadSinks {
  ByteSink* splash = nullptr;
  ByteSink* icon = nullptr;
  ByteSink* about = nullptr;
  ByteSink* licence = nullptr;
};

struct HeadWalk {
  ContainerHead head;
  std::optional<ItemExtent> splash;  // present when `Splash` has a value
  std::optional<ItemExtent> icon;    // present when `Icon` has a value
  ItemExtent about;
  ItemExtent licence;
  int64_t payload_start = 0;  // first file item
};

// A sink that keeps nothing and counts what it is given.
class DiscardSink : public ByteSink {
 public:
  void Write(const void*, size_t count) override { written_ += static_cast<int64_t>(count); }
  int64_t written() const { return written_; }

 private:
  int64_t written_ = 0;
};

// Loads the head (LoadContainerHead), then reads the splash, icon, about and
// licence items in order, the first of them from DataStart, and leaves the
// image at PayloadStart. Raises LoadError for the head and Error for an item.
HeadWalk WalkContainerHead(ExeImage& image, const std::string& running_file_name, ControlInfo& info,
                           const HeadSinks& sinks = {});

// Inflates one compressed item of `size` content bytes at the source's
// position into `target` and tells where it lay.
ItemExtent ReadCompressedItem(ByteSource& source, int32_t size, ByteSink& target);

// Copies one raw item of `size` bytes and tells where it lay.
ItemExtent ReadRawItem(ByteSource& source, int32_t size, ByteSink& target);

}  // namespace tidemark
