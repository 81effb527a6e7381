#include "packer/stub/version_resource.h"

#include <algorithm>

#include "container/errors.h"
#include "container/pe_headers.h"

namespace tidemark {
namespace {

constexpr uint16_t kUsEnglish = 0x0409;
constexpr uint16_t kUnicodeCodePage = 1200;

std::u16string Utf16(const std::string& name, const std::string& utf8) {
  std::u16string out;
  size_t i = 0;
  const auto bad = [&] { return Error(name + " \"" + utf8 + "\" is not valid UTF-8"); };
  while (i < utf8.size()) {
    const uint8_t lead = static_cast<uint8_t>(utf8[i]);
    const size_t length = lead < 0x80   ? 1
                          : lead < 0xc2 ? 0
                          : lead < 0xe0 ? 2
                          : lead < 0xf0 ? 3
                          : lead < 0xf5 ? 4
                                        : 0;
    if (length == 0 || i + length > utf8.size()) throw bad();
    uint32_t code = length == 1 ? lead : lead & (0x7f >> length);
    for (size_t k = 1; k < length; ++k) {
      const uint8_t next = static_cast<uint8_t>(utf8[i + k]);
      if ((next & 0xc0) != 0x80) throw bad();
      code = code << 6 | (next & 0x3f);
    }
    const uint32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    if (code < least[length] || code > 0x10ffff || (code >= 0xd800 && code < 0xe000)) throw bad();
    if (code >= 0x10000) {
      out.push_back(static_cast<char16_t>(0xd800 + ((code - 0x10000) >> 10)));
      out.push_back(static_cast<char16_t>(0xdc00 + ((code - 0x10000) & 0x3ff)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    i += length;
  }
  return out;
}

// Builds the nested blocks of a version resource: each is wLength,
// wValueLength, wType, a zero-ended UTF-16 key, the value and the children,
// each part starting on a 4-byte boundary.
class Block {
 public:
  Block(const std::u16string& key, uint16_t type) {
    Put16(0);
    Put16(0);
    Put16(type);
    PutText(key);
    Pad();
  }
  void SetValueLength(uint16_t length) { WriteLe16(bytes_.data() + 2, length); }
  void PutText(const std::u16string& text) {
    for (char16_t unit : text) Put16(static_cast<uint16_t>(unit));
    Put16(0);
  }
  void Put16(uint16_t value) {
    bytes_.push_back(static_cast<uint8_t>(value));
    bytes_.push_back(static_cast<uint8_t>(value >> 8));
  }
  void Put32(uint32_t value) {
    Put16(static_cast<uint16_t>(value));
    Put16(static_cast<uint16_t>(value >> 16));
  }
  void Pad() { bytes_.resize((bytes_.size() + 3) / 4 * 4, 0); }
  void Add(const std::vector<uint8_t>& child) {
    Pad();
    bytes_.insert(bytes_.end(), child.begin(), child.end());
  }
  // The finished block; its length excludes padding after it.
  const std::vector<uint8_t>& Finish() {
    if (bytes_.size() > 0xffff)
      throw Error("the version texts are too long (more than 64 KiB together)");
    WriteLe16(bytes_.data(), static_cast<uint16_t>(bytes_.size()));
    return bytes_;
  }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace

std::array<uint16_t, 4> ParseVersionNumber(const std::string& text, const std::string& what) {
  std::array<uint16_t, 4> numbers{};
  size_t start = 0;
  for (size_t part = 0;; ++part) {
    const size_t end = std::min(text.find('.', start), text.size());
    const std::string digits = text.substr(start, end - start);
    if (part >= 4 || digits.empty() || digits.size() > 5 ||
        digits.find_first_not_of("0123456789") != std::string::npos || std::stoul(digits) > 65535) {
      throw Error(what + " \"" + text +
                  "\" is no version number (one to four numbers 0 to 65535, as in 1.2.3.4)");
    }
    numbers[part] = static_cast<uint16_t>(std::stoul(digits));
    if (end == text.size()) return numbers;
    start = end + 1;
  }
}

std::vector<uint8_t> BuildVersionResource(const VersionInfo& info) {
  Block root(u"VS_VERSION_INFO", 0);
  const uint32_t version_high = uint32_t{info.numbers[0]} << 16 | info.numbers[1];
  const uint32_t version_low = uint32_t{info.numbers[2]} << 16 | info.numbers[3];
  for (uint32_t field :
       {0xfeef04bdu, 0x00010000u, version_high, version_low, version_high, version_low, 0x3fu, 0u,
        0x00040004u /* VOS_NT_WINDOWS32 */, 1u /* VFT_APP */, 0u, 0u, 0u}) {
    root.Put32(field);
  }
  root.SetValueLength(13 * 4);

  Block table(u"040904B0", 1);
  for (const auto& [name, value] : info.texts) {
    Block text(Utf16(name, name), 1);
    const std::u16string units = Utf16(name, value);
    text.PutText(units);
    text.SetValueLength(static_cast<uint16_t>(units.size() + 1));
    table.Add(text.Finish());
  }
  Block strings(u"StringFileInfo", 1);
  strings.Add(table.Finish());
  root.Add(strings.Finish());

  Block translation(u"Translation", 0);
  translation.Put16(kUsEnglish);
  translation.Put16(kUnicodeCodePage);
  translation.SetValueLength(4);
  Block variables(u"VarFileInfo", 1);
  variables.Add(translation.Finish());
  root.Add(variables.Finish());
  return root.Finish();
}

void ReplaceVersion(ResourceTable& table, std::vector<uint8_t> resource) {
  table.erase(
      std::remove_if(table.begin(), table.end(),
                     [](const Resource& r) { return r.type == ResourceName::Id(kVersionType); }),
      table.end());
  table.push_back(
      {ResourceName::Id(kVersionType), ResourceName::Id(1), kUsEnglish, 0, std::move(resource)});
  SortResources(table);
}

}  // namespace tidemark
