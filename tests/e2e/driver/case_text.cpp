#include "tests/e2e/driver/case_text.h"

#include <windows.h>

#include <optional>
#include <string>

#include "system/wide_text.h"

namespace tidemark::e2e {
namespace {

bool IsAscii(const std::string& text) {
  for (unsigned char c : text) {
    if (c >= 0x80) return false;
  }
  return true;
}

// `utf8` in the ANSI code page; none when some character has no exact
// counterpart there.
std::optional<std::string> InAnsiCodePage(const std::string& utf8) {
  const int length = static_cast<int>(utf8.size());
  const int wide_length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), length, nullptr, 0);
  if (wide_length <= 0) return utf8;  // not UTF-8: bytes as written
  std::wstring wide(static_cast<size_t>(wide_length), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), wide_length);
  return WideToCodePage(wide.data(), wide_length, CP_ACP);
}

void Convert(std::string& word, const Command& command) {
  if (IsAscii(word)) return;
  std::optional<std::string> converted = InAnsiCodePage(word);
  if (!converted) {
    throw ScriptError("line " + std::to_string(command.line) + ": \"" + word +
                      "\" cannot be written in the ANSI code page " + std::to_string(GetACP()));
  }
  word = std::move(*converted);
}

}  // namespace

void WordsInAnsiCodePage(std::vector<Command>& commands) {
  for (Command& command : commands) {
    Convert(command.name, command);
    for (std::string& word : command.args) Convert(word, command);
  }
}

}  // namespace tidemark::e2e
