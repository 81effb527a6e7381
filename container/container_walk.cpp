#include "container/container_walk.h"

#include <array>

#include "container/head_items.h"
#include "container/items.h"

namespace tidemark {
namespace {

ByteSink& OrDiscard(ByteSink* sink, DiscardSink& discard) { return sink ? *sink : discard; }

// Runs one item operation and notes where the source stood before and after.
template <typename ReadItem>
ItemExtent Measured(ByteSource& source, int32_t size, ReadItem read_item) {
  ItemExtent extent;
  extent.start = source.Position();
  read_item();
  extent.end = source.Position();
  extent.content_size = size;
  return extent;
}

}  // namespace

ItemExtent ReadCompressedItem(ByteSource& source, int32_t size, ByteSink& target) {
  return Measured(source, size, [&] { InflateItem(source, target, size); });
}

ItemExtent ReadRawItem(ByteSource& source, int32_t size, ByteSink& target) {
  return Measured(source, size, [&] { CopyRawItem(source, target, size); });
}

HeadWalk WalkContainerHead(ExeImage& image, const std::string& running_file_name, ControlInfo& info,
                           const HeadSinks& sinks) {
  HeadWalk walk;
  walk.head = LoadContainerHead(image, running_file_name, info);
  // The first item starts at DataStart whichever item it is, so a container
  // without a splash is read from the right place too.
  image.Seek(walk.head.data_start);
  // By item, in the order of HeadItem.
  const std::array<ByteSink*, 4> item_sinks = {sinks.splash, sinks.icon, sinks.about,
                                               sinks.licence};
  std::array<std::optional<ItemExtent>, 4> extents;
  DiscardSink discard;
  for (const AnnouncedHeadItem& announced : AnnouncedHeadItems(info)) {
    const size_t index = static_cast<size_t>(announced.item);
    const int32_t size = StrToInt(announced.size);
    ByteSink& sink = OrDiscard(item_sinks[index], discard);
    extents[index] = IsHeadPicture(announced.item) ? ReadCompressedItem(image, size, sink)
                                                   : ReadRawItem(image, size, sink);
  }
  walk.splash = extents[static_cast<size_t>(HeadItem::kSplash)];
  walk.icon = extents[static_cast<size_t>(HeadItem::kIcon)];
  walk.about = extents[static_cast<size_t>(HeadItem::kAbout)].value_or(ItemExtent{});
  walk.licence = extents[static_cast<size_t>(HeadItem::kLicence)].value_or(ItemExtent{});
  walk.payload_start = image.Position();
  return walk;
}

}  // namespace tidemark
