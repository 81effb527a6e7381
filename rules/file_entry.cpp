#include "rules/file_entry.h"

#include "container/control_info.h"
#include "container/control_keys.h"

namespace tidemark {

int32_t FileEntry::Size() const { return StrToInt(size_text); }

std::string FileEntryKey(int32_t index) { return keys::kFileEntryPrefix + std::to_string(index); }

FileEntry SplitFileEntry(std::string_view line) {
  FileEntry entry;
  const size_t name_end = line.find('>');
  if (name_end != std::string_view::npos && name_end > 1) {
    entry.name = std::string(line.substr(1, name_end - 1));
  }
  const size_t size_mark = line.find("><");
  if (size_mark != std::string_view::npos) {
    const size_t size_start = size_mark + 2;
    // The last character closes the entry; it is never part of the size.
    if (line.size() > size_start + 1) {
      entry.size_text = std::string(line.substr(size_start, line.size() - 1 - size_start));
    }
  }
  return entry;
}

}  // namespace tidemark
