// A double-byte code page for the tests: Shift-JIS, whose second bytes
// include "\" (0x5C) and "|" (0x7C).
#pragma once

#include <string>

namespace tidemark {

inline bool ShiftJisLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// U+8868 in Shift-JIS: 0x95 0x5C, one character whose second byte is "\".
inline const std::string kTableChar = "\x95\x5C";

}  // namespace tidemark
