// A file line of the control information ("f1", "f2", ...): "<name><size>".
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tidemark {

struct FileEntry {
  std::string name;       // relative path under the install folder
  std::string size_text;  // the uncompressed size as written

  // size_text as a decimal 32-bit integer; raises
  // Error("'<text>' is not a valid integer value") otherwise.
  int32_t Size() const;
};

// The key of file item `index` (1-based): "f" + the number in decimal.
std::string FileEntryKey(int32_t index);

// Takes a file line apart by position, as packers have always written it:
//  - name: from the 2nd character up to, not including, the first ">";
//    the first character is skipped whatever it is; empty without a ">";
//  - size: after the first "><" up to the end, less the last character
//    whatever it is; empty without a "><" (so that Size() reports the
//    empty text, as for a missing line).
FileEntry SplitFileEntry(std::string_view line);

}  // namespace tidemark
