#include "system/shell.h"

#include <shellapi.h>

#include <array>
#include <cstdint>
#include <cstring>

namespace tidemark {

namespace {

using ShellText = std::array<char, kShellRunTextLimit + 1>;

// Copies `text` with its terminator; false when it does not fit.
bool CopyToShellText(const std::string& text, ShellText& buffer) {
  if (text.size() > kShellRunTextLimit) return false;
  std::memcpy(buffer.data(), text.c_str(), text.size() + 1);
  return true;
}

}  // namespace

bool ShellRun(const std::string& file, const std::string& parameters, int show_command,
              HWND owner) {
  ShellText file_text;
  ShellText parameter_text;
  if (!CopyToShellText(file, file_text) || !CopyToShellText(parameters, parameter_text)) {
    return false;
  }
  // No operation (the default action) and no folder (the current one).
  const HINSTANCE result =
      ShellExecuteA(owner, nullptr, file_text.data(), parameter_text.data(), nullptr, show_command);
  return reinterpret_cast<intptr_t>(result) > 32;
}

}  // namespace tidemark
