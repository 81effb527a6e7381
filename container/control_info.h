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
  void Clear() {
    lines_.clear();
    index_.built = false;
  }
  void AddLine(std::string line) { lines_.push_back(std::move(line)); }
  const std::vector<std::string>& lines() const { return lines_; }
  std::vector<std::string>& lines() {
    index_.built = false;
    return lines_;
  }

  // The text after the first "=" of the first line whose name (the text
  // before that "=") equals `name` regardless of ASCII case; empty when no
  // line defines it. Nothing is trimmed.
  std::string Value(std::string_view name) const;

  // Value(name) converted by StrToInt; raises its error.
  int32_t IntValue(std::string_view name) const;

 private:
  // The lines that define a name, ordered by name regardless of ASCII case
  // and then by position, so that a product of many files is not looked up
  // line by line for every file (a binary search finds a name's first
  // line). Made on the first lookup and made again once lines were added or
  // the last one grew (as the parser does); changes through lines() are seen
  // because that drops it.
  struct NameIndex {
    bool built = false;
    size_t line_count = 0;
    size_t last_line_size = 0;
    std::vector<size_t> lines_by_name;
  };
  const NameIndex& Index() const;

  std::vector<std::string> lines_;
  mutable NameIndex index_;
};

// Whether two key names are equal as lookups compare them: A to Z without
// regard to case, every other byte exactly.
bool KeyNamesEqual(std::string_view a, std::string_view b);

// A decimal signed 32-bit integer (optional sign, digits only). Anything
// else, the empty text included, raises Error("'<text>' is not a valid
// integer value").
int32_t StrToInt(const std::string& text);

}  // namespace tidemark
