#include "rules/install_log.h"

#include <string_view>

namespace tidemark {
namespace {

bool EndsEntry(char c) { return c == '\r' || c == '\n' || c == '\0'; }

}  // namespace

std::string InstallLog::SaveText() const {
  size_t length = 0;
  for (const std::string& entry : entries_) length += entry.size() + 2;
  std::string text;
  text.reserve(length);
  for (const std::string& entry : entries_) {
    text += entry;
    text += "\r\n";
  }
  return text;
}

void InstallLog::LoadText(const std::string& bytes) {
  entries_.clear();
  const std::string_view text(bytes);
  size_t pos = 0;
  while (pos < text.size() && text[pos] != '\0') {
    size_t end = pos;
    while (end < text.size() && !EndsEntry(text[end])) ++end;
    entries_.emplace_back(text.substr(pos, end - pos));
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
}

void InstallLog::LoadText(const std::vector<uint8_t>& bytes) {
  LoadText(std::string(bytes.begin(), bytes.end()));
}

}  // namespace tidemark
