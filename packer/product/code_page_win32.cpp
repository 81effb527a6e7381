#include <windows.h>

#include "packer/product/code_page_conversion.h"

namespace tidemark {
namespace {

// Converts one character (`bytes` of `from`) into `to`; false when it has no
// exact counterpart there.
bool ConvertCharacter(UINT from, UINT to, std::string_view bytes, std::string& output) {
  wchar_t wide[4];
  const int units = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, bytes.data(),
                                        static_cast<int>(bytes.size()), wide, 4);
  if (units <= 0) return false;
  char converted[16];
  BOOL used_default = FALSE;
  const bool to_utf8 = to == CP_UTF8;
  const int size =
      WideCharToMultiByte(to, to_utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wide, units, converted,
                          sizeof converted, nullptr, to_utf8 ? nullptr : &used_default);
  if (size <= 0 || used_default) return false;
  output.append(converted, static_cast<size_t>(size));
  return true;
}

size_t Utf8Length(unsigned char first) {
  return first < 0x80 ? 1 : first < 0xE0 ? 2 : first < 0xF0 ? 3 : 4;
}

}  // namespace

size_t ConvertText(int code_page, bool to_code_page, std::string_view input, std::string& output) {
  const UINT page = static_cast<UINT>(code_page);
  size_t used = 0;
  while (used < input.size()) {
    const auto first = static_cast<unsigned char>(input[used]);
    const size_t length = to_code_page ? Utf8Length(first) : IsDBCSLeadByteEx(page, first) ? 2 : 1;
    if (used + length > input.size()) break;
    if (!ConvertCharacter(to_code_page ? CP_UTF8 : page, to_code_page ? page : CP_UTF8,
                          input.substr(used, length), output)) {
      break;
    }
    used += length;
  }
  return used;
}

}  // namespace tidemark
