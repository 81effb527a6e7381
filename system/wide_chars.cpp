#include <windows.h>

#include "system/wide_text.h"

namespace tidemark {

std::vector<wchar_t> AnsiToWideChars(const std::string& text) {
  std::vector<wchar_t> wide(1, L'\0');
  if (text.empty()) return wide;
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  if (length <= 0) return wide;
  wide.assign(static_cast<size_t>(length) + 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

}  // namespace tidemark
