// A double-byte code page for the tests: Shift-JIS, whose second bytes
// include "\" (0x5C) and "|" (0x7C).
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace tidemark {

inline bool ShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// U+8868 in Shift-JIS: 0x95 0x5C, one character whose second byte is "\".
inline const std::string kTableChar = "\x95\x5C";

// `text` with the few Japanese characters the tests use (written in UTF-8)
// in Shift-JIS, so that a test reads as the path it means. Three of them end
// in the byte of "\": 表 (0x95 0x5C), ソ (0x83 0x5C) and 能 (0x94 0x5C).
inline std::string ShiftJis(std::string_view text) {
  static const std::pair<std::string_view, std::string_view> kCharacters[] = {
      {"表", "\x95\x5C"}, {"ソ", "\x83\x5C"}, {"能", "\x94\x5C"},
      {"フ", "\x83\x74"}, {"ト", "\x83\x67"}, {"ブ", "\x83\x75"}};
  std::string converted;
  while (!text.empty()) {
    size_t used = 1;
    std::string_view replacement = text.substr(0, 1);
    for (const auto& [utf8, shift_jis] : kCharacters) {
      if (text.substr(0, utf8.size()) == utf8) {
        used = utf8.size();
        replacement = shift_jis;
      }
    }
    converted.append(replacement);
    text.remove_prefix(used);
  }
  return converted;
}

}  // namespace tidemark
