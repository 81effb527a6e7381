#include "system/wide_text.h"

namespace tidemark {

std::wstring AnsiToWide(const std::string& text) {
  const std::vector<wchar_t> wide = AnsiToWideChars(text);
  return std::wstring(wide.data(), wide.size() - 1);
}

}  // namespace tidemark
