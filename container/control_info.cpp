#include "container/control_info.h"

#include <algorithm>
#include <cstddef>
#include <limits>

#include "container/errors.h"

namespace tidemark {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// An order in which names that KeyNamesEqual finds equal, and only those,
// are neither before nor after each other.
bool NameBefore(std::string_view a, std::string_view b) {
  const size_t common = std::min(a.size(), b.size());
  for (size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(AsciiLower(a[i]));
    const auto y = static_cast<unsigned char>(AsciiLower(b[i]));
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

// The text before the first "=" of a line that has one.
std::string_view NameOf(const std::string& line) {
  return std::string_view(line).substr(0, line.find('='));
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
  std::vector<size_t>& order = index_.lines_by_name;
  order.clear();
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (lines_[i].find('=') != std::string::npos) order.push_back(i);
  }
  std::sort(order.begin(), order.end(), [this](size_t a, size_t b) {
    const std::string_view name_a = NameOf(lines_[a]);
    const std::string_view name_b = NameOf(lines_[b]);
    if (NameBefore(name_a, name_b)) return true;
    return !NameBefore(name_b, name_a) && a < b;
  });
  index_.built = true;
  index_.line_count = lines_.size();
  index_.last_line_size = last_line_size;
  return index_;
}

std::string ControlInfo::Value(std::string_view name) const {
  const std::vector<size_t>& order = Index().lines_by_name;
  const auto found = std::lower_bound(order.begin(), order.end(), name,
                                      [this](size_t line, std::string_view wanted) {
                                        return NameBefore(NameOf(lines_[line]), wanted);
                                      });
  if (found == order.end() || !KeyNamesEqual(NameOf(lines_[*found]), name)) return std::string();
  const std::string& line = lines_[*found];
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
