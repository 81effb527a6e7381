// The head items: what follows the control information before the file
// items, in this order: the splash and the icon (compressed JPEG pictures,
// present when their key has a value), then the about and the licence text
// (raw, always present). The first of them begins at DataStart.
#pragma once

#include <string>
#include <vector>

#include "container/control_info.h"

namespace tidemark {

enum class HeadItem { kSplash, kIcon, kAbout, kLicence };

// Whether the item is a compressed picture; the others are raw texts.
bool IsHeadPicture(HeadItem item);

struct AnnouncedHeadItem {
  HeadItem item;
  // The value of the item's key, not yet converted: each reader decides
  // what a size that is no number means to it.
  std::string size;
};

// The head items that `info` announces, in container order.
std::vector<AnnouncedHeadItem> AnnouncedHeadItems(const ControlInfo& info);

}  // namespace tidemark
