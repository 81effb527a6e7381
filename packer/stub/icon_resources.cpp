#include "packer/stub/icon_resources.h"

#include <algorithm>

#include "container/errors.h"
#include "container/pe_headers.h"

namespace tidemark {
namespace {

constexpr size_t kIconDirectory = 6;
constexpr size_t kFileEntry = 16;   // ICONDIRENTRY: ends with the image's file offset
constexpr size_t kGroupEntry = 14;  // GRPICONDIRENTRY: ends with the image's resource number
constexpr uint16_t kUsEnglish = 0x0409;

}  // namespace

void ReplaceIcon(ResourceTable& table, const std::vector<uint8_t>& ico, const std::string& what) {
  const auto refuse = [&](const std::string& why) {
    throw Error(what + " is no Windows icon file: " + why);
  };
  if (ico.size() < kIconDirectory || ReadLe16(ico.data()) != 0 || ReadLe16(ico.data() + 2) != 1) {
    refuse("its header is wrong");
  }
  const size_t count = ReadLe16(ico.data() + 4);
  if (count == 0) refuse("it holds no image");
  if (ico.size() < kIconDirectory + count * kFileEntry) refuse("it ends inside its directory");

  ResourceName group_name = ResourceName::Id(1);
  uint16_t language = kUsEnglish;
  const auto first_group = std::find_if(table.begin(), table.end(), [](const Resource& r) {
    return r.type == ResourceName::Id(kGroupIconType);
  });
  if (first_group != table.end()) {
    group_name = first_group->name;
    language = first_group->language;
  }
  table.erase(std::remove_if(table.begin(), table.end(),
                             [](const Resource& r) {
                               return r.type == ResourceName::Id(kIconType) ||
                                      r.type == ResourceName::Id(kGroupIconType);
                             }),
              table.end());

  Resource group{ResourceName::Id(kGroupIconType), group_name, language, 0, {}};
  group.data.assign(ico.begin(), ico.begin() + kIconDirectory);
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = ico.data() + kIconDirectory + i * kFileEntry;
    const size_t size = ReadLe32(entry + 8);
    const size_t offset = ReadLe32(entry + 12);
    if (size == 0 || offset > ico.size() || ico.size() - offset < size) {
      refuse("image " + std::to_string(i + 1) + " lies outside the file");
    }
    const uint16_t id = static_cast<uint16_t>(i + 1);
    table.push_back({ResourceName::Id(kIconType), ResourceName::Id(id), language, 0,
                     std::vector<uint8_t>(ico.begin() + offset, ico.begin() + offset + size)});
    group.data.insert(group.data.end(), entry, entry + 12);
    group.data.push_back(static_cast<uint8_t>(id));
    group.data.push_back(static_cast<uint8_t>(id >> 8));
  }
  static_assert(kGroupEntry == 12 + 2,
                "a group entry is a file entry with a number for the offset");
  table.push_back(std::move(group));
  SortResources(table);
}

}  // namespace tidemark
