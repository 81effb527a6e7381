#include "system/console_text.h"

#include <windows.h>

#include <vector>

#include "system/wide_text.h"

namespace tidemark {

std::optional<std::string> ToOemCodePage(const std::string& text) {
  if (text.empty()) return std::string();
  const std::vector<wchar_t> wide = AnsiToWideChars(text);
  return WideToCodePage(wide.data(), static_cast<int>(wide.size()) - 1, CP_OEMCP);
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
