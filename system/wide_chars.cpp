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

std::optional<std::string> WideToCodePage(const wchar_t* wide, int length, unsigned code_page) {
  if (length <= 0) return std::nullopt;
  BOOL lossy = FALSE;
  const int size = WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0,
                                       nullptr, &lossy);
  if (size <= 0 || lossy) return std::nullopt;
  std::string text(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(code_page, WC_NO_BEST_FIT_CHARS, wide, length, text.data(), size, nullptr,
                      &lossy);
  if (lossy) return std::nullopt;
  return text;
}

}  // namespace tidemark
