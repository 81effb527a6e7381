#include "container/head_items.h"

#include "container/control_keys.h"

namespace tidemark {
namespace {

struct HeadItemKey {
  HeadItem item;
  const char* key;
};

constexpr HeadItemKey kHeadItemKeys[] = {
    {HeadItem::kSplash, keys::kSplash},
    {HeadItem::kIcon, keys::kIcon},
    {HeadItem::kAbout, keys::kInfoAbout},
    {HeadItem::kLicence, keys::kInfoInstall},
};

}  // namespace

bool IsHeadPicture(HeadItem item) { return item == HeadItem::kSplash || item == HeadItem::kIcon; }

std::vector<AnnouncedHeadItem> AnnouncedHeadItems(const ControlInfo& info) {
  std::vector<AnnouncedHeadItem> announced;
  for (const HeadItemKey& entry : kHeadItemKeys) {
    std::string size = info.Value(entry.key);
    // A picture without a size is left out; a text is always there, and a
    // missing size is its reader's conversion error.
    if (IsHeadPicture(entry.item) && size.empty()) continue;
    announced.push_back({entry.item, std::move(size)});
  }
  return announced;
}

}  // namespace tidemark
