#include "app/unattended_log.h"

#include <windows.h>

namespace tidemark {

UnattendedLog::UnattendedLog(const std::optional<std::string>& path) {
  if (!path || path->empty()) return;
  file_.Reset(CreateFileA(path->c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr));
}

void UnattendedLog::Line(const std::string& text) {
  if (!file_) return;
  std::string line = text;
  for (char& c : line) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  line += "\r\n";
  DWORD written = 0;
  WriteFile(file_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace tidemark
