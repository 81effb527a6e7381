// The plain-text log of an unattended run ("/LOG=PATH"): one line per
// event, each written through at once, so that a run that ends early
// leaves every line before its end.
#pragma once

#include <optional>
#include <string>

#include "system/handles.h"

namespace tidemark {

class UnattendedLog {
 public:
  // Creates the file anew at `path`; without a path, or when the file
  // cannot be created, the lines go nowhere.
  explicit UnattendedLog(const std::optional<std::string>& path);

  // Writes `text` and CR LF; a line break inside the text becomes a blank,
  // so that every event stays on one line.
  void Line(const std::string& text);

 private:
  UniqueHandle file_;
};

}  // namespace tidemark
