#include "container/control_info.h"

#include <cstddef>
#include <limits>

#include "container/errors.h"

namespace tidemark {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Names that KeyNamesEqual finds equal, and only those, have equal copies.
std::string AsciiLowerCopy(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = AsciiLower(c);
  return lower;
}

}  // namespace

bool KeyNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

const ControlInfo::NameIndex& ControlInfo::Index() const {
  const size_t last_line_size = lines_.empty() ? 0 : lines_.back().size();
  if (index_.built && index_.line_count == lines_.size() &&
      index_.last_line_size == last_line_size) {
    return index_;
  }
  index_.first_line.clear();
  for (size_t i = 0; i < lines_.size(); ++i) {
    const size_t equals = lines_[i].find('=');
    if (equals == std::string::npos) continue;
    index_.first_line.emplace(AsciiLowerCopy(std::string_view(lines_[i]).substr(0, equals)), i);
  }
  index_.built = true;
  index_.line_count = lines_.size();
  index_.last_line_size = last_line_size;
  return index_;
}

std::string ControlInfo::Value(std::string_view name) const {
  const NameIndex& index = Index();
  const auto found = index.first_line.find(AsciiLowerCopy(name));
  if (found == index.first_line.end()) return std::string();
  const std::string& line = lines_[found->second];
  return line.substr(line.find('=') + 1);
}

int32_t ControlInfo::IntValue(std::string_view name) const { return StrToInt(Value(name)); }

int32_t StrToInt(const std::string& text) {
  const auto invalid = [&text]() { return Error("'" + text + "' is not a valid integer value"); };
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) throw invalid();
  // Accumulate the magnitude in 64 bits; the limit admits -2147483648.
  const int64_t limit = negative ? -static_cast<int64_t>(std::numeric_limits<int32_t>::min())
                                 : std::numeric_limits<int32_t>::max();
  int64_t magnitude = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') throw invalid();
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > limit) throw invalid();
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

}  // namespace tidemark
