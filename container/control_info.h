// ControlInfo: the lines of the control information, start marker first and
// end marker last, with the lookup rules of the container.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tidemark {

class ControlInfo {
 public:
  void Clear() { lines_.clear(); }
  void AddLine(std::string line) { lines_.push_back(std::move(line)); }
  const std::vector<std::string>& lines() const { return lines_; }
  std::vector<std::string>& lines() { return lines_; }

  // The text after the first "=" of the first line whose name (the text
  // before that "=") equals `name` regardless of ASCII case; empty when no
  // line defines it. Nothing is trimmed.
  std::string Value(std::string_view name) const;

  // Value(name) converted by StrToInt; raises its error.
  int32_t IntValue(std::string_view name) const;

 private:
  std::vector<std::string> lines_;
};

// Whether two key names are equal as lookups compare them: A to Z without
// regard to case, every other byte exactly.
bool KeyNamesEqual(std::string_view a, std::string_view b);

// A decimal signed 32-bit integer (optional sign, digits only). Anything
// else, the empty text included, raises Error("'<text>' is not a valid
// integer value").
int32_t StrToInt(const std::string& text);

}  // namespace tidemark
