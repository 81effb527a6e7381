#include "packer/product/code_page.h"

#include <cstdio>

#include "container/errors.h"
#include "packer/product/code_page_conversion.h"

namespace tidemark {
namespace {

// Lead bytes as Windows reports them for the double-byte code pages.
bool IsShiftJisLeadByte(unsigned char byte) {  // 932
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}
bool IsHighHalfLeadByte(unsigned char byte) {  // 936, 949, 950
  return byte >= 0x81 && byte <= 0xFE;
}

struct KnownCodePage {
  int number;
  LeadBytePredicate lead_byte;
};

constexpr KnownCodePage kKnownCodePages[] = {{874, nullptr},
                                             {932, IsShiftJisLeadByte},
                                             {936, IsHighHalfLeadByte},
                                             {949, IsHighHalfLeadByte},
                                             {950, IsHighHalfLeadByte},
                                             {1250, nullptr},
                                             {1251, nullptr},
                                             {1252, nullptr},
                                             {1253, nullptr},
                                             {1254, nullptr},
                                             {1255, nullptr},
                                             {1256, nullptr},
                                             {1257, nullptr},
                                             {1258, nullptr}};

// Length of the UTF-8 sequence starting at `text[at]`, 0 when none starts there.
size_t Utf8SequenceLength(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char first = byte(at);
  if (first < 0x80) return 1;
  size_t length = 0;
  uint32_t code = 0;
  if (first >= 0xC2 && first <= 0xDF) {
    length = 2, code = first & 0x1F;
  } else if (first >= 0xE0 && first <= 0xEF) {
    length = 3, code = first & 0x0F;
  } else if (first >= 0xF0 && first <= 0xF4) {
    length = 4, code = first & 0x07;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    code = code << 6 | (byte(at + i) & 0x3F);
  }
  const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return overlong || surrogate || code > 0x10FFFF ? 0 : length;
}

// "é" (U+00E9) for the character at `text[at]`.
std::string DescribeCharacter(std::string_view text, size_t at) {
  const size_t length = Utf8SequenceLength(text, at);
  uint32_t code = static_cast<unsigned char>(text[at]);
  if (length > 1) {
    code &= 0xFF >> (length + 1);
    for (size_t i = 1; i < length; ++i)
      code = code << 6 | (static_cast<unsigned char>(text[at + i]) & 0x3F);
  }
  char number[16];
  std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(code));
  return "\"" + std::string(text.substr(at, length)) + "\" (" + number + ")";
}

}  // namespace

const char* SupportedCodePages() { return "874, 932, 936, 949, 950 and 1250 to 1258"; }

size_t FirstNonUtf8Byte(std::string_view text) {
  for (size_t at = 0; at < text.size();) {
    const size_t length = Utf8SequenceLength(text, at);
    if (length == 0) return at;
    at += length;
  }
  return std::string_view::npos;
}

CodePage::CodePage(int number) : number_(number), lead_byte_(nullptr) {
  for (const KnownCodePage& known : kKnownCodePages) {
    if (known.number == number) {
      lead_byte_ = known.lead_byte;
      return;
    }
  }
  throw Error("code page " + std::to_string(number) +
              " is not one the packer can write; it knows " + SupportedCodePages());
}

std::string CodePage::FromUtf8(std::string_view utf8) const {
  const size_t broken = FirstNonUtf8Byte(utf8);
  if (broken != std::string_view::npos) {
    char byte[8];
    std::snprintf(byte, sizeof byte, "0x%02X", static_cast<unsigned char>(utf8[broken]));
    throw Error(std::string("is not UTF-8 text (byte ") + byte + " at position " +
                std::to_string(broken + 1) + ")");
  }
  std::string converted;
  const size_t used = ConvertText(number_, true, utf8, converted);
  if (used < utf8.size()) {
    throw Error(DescribeCharacter(utf8, used) + " has no place in code page " +
                std::to_string(number_));
  }
  // On purpose: converted back and compared; a character that would come
  // back as another (a best fit) would install under another name.
  if (ToUtf8(converted) != utf8) {
    throw Error("does not read back unchanged from code page " + std::to_string(number_));
  }
  return converted;
}

std::string CodePage::ToUtf8(std::string_view text) const {
  std::string utf8;
  while (!text.empty()) {
    const size_t used = ConvertText(number_, false, text, utf8);
    text.remove_prefix(used);
    if (text.empty()) break;
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02X", static_cast<unsigned char>(text[0]));
    utf8 += escaped;
    text.remove_prefix(1);
  }
  return utf8;
}

}  // namespace tidemark
