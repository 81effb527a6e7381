#include "system/system_error.h"

#include <memory>

namespace tidemark {

namespace {

struct LocalFreer {
  void operator()(char* text) const { LocalFree(text); }
};

}  // namespace

std::string SystemErrorText(DWORD code) {
  char* raw = nullptr;
  const DWORD length = FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<char*>(&raw), 0, nullptr);
  std::unique_ptr<char, LocalFreer> owned(raw);
  if (length == 0 || raw == nullptr) return std::string();

  std::string text(raw, length);
  const size_t end = text.find_last_not_of(" \t\r\n");
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

std::string LastErrorText() { return SystemErrorText(GetLastError()); }

std::string OleErrorText(HRESULT result) {
  std::string text = SystemErrorText(static_cast<DWORD>(result));
  if (!text.empty()) return text;
  // Eight lower-case hex digits, written by hand: snprintf would bring
  // MinGW's whole printf into the stub.
  const auto code = static_cast<DWORD>(result);
  text = "OLE error ";
  for (int shift = 28; shift >= 0; shift -= 4) text += "0123456789abcdef"[(code >> shift) & 0xF];
  return text;
}

}  // namespace tidemark
