#include "container/container_walk.h"

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
  DiscardSink discard;
  if (!info.Value("Splash").empty()) {
    walk.splash =
        ReadCompressedItem(image, info.IntValue("Splash"), OrDiscard(sinks.splash, discard));
  }
  if (!info.Value("Icon").empty()) {
    walk.icon = ReadCompressedItem(image, info.IntValue("Icon"), OrDiscard(sinks.icon, discard));
  }
  walk.about = ReadRawItem(image, info.IntValue("InfoAbout"), OrDiscard(sinks.about, discard));
  walk.licence =
      ReadRawItem(image, info.IntValue("InfoInstall"), OrDiscard(sinks.licence, discard));
  walk.payload_start = image.Position();
  return walk;
}

}  // namespace tidemark
