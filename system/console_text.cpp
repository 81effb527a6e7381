#include "system/console_text.h"

#include <windows.h>

#include <vector>

#include "system/wide_text.h"

namespace tidemark {

std::optional<std::string> ToOemCodePage(const std::string& text) {
  if (text.empty()) return std::string();
  const std::vector<wchar_t> wide = AnsiToWideChars(text);
  const int wide_length = static_cast<int>(wide.size()) - 1;
  if (wide_length <= 0) return std::nullopt;
  BOOL lossy = FALSE;
  const int length = WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wide_length,
                                         nullptr, 0, nullptr, &lossy);
  if (length <= 0 || lossy) return std::nullopt;
  std::string oem(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_OEMCP, WC_NO_BEST_FIT_CHARS, wide.data(), wide_length, oem.data(), length,
                      nullptr, &lossy);
  if (lossy) return std::nullopt;
  return oem;
}

std::string PathForCommandInterpreter(const std::string& ansi_path) {
  if (std::optional<std::string> oem = ToOemCodePage(ansi_path)) return *oem;
  char short_path[MAX_PATH];
  const DWORD length = GetShortPathNameA(ansi_path.c_str(), short_path, MAX_PATH);
  if (length > 0 && length < MAX_PATH) {
    if (std::optional<std::string> oem = ToOemCodePage(std::string(short_path, length)))
      return *oem;
  }
  return ansi_path;
}

bool IsOemLeadByte(unsigned char byte) { return IsDBCSLeadByteEx(CP_OEMCP, byte) != FALSE; }

}  // namespace tidemark
