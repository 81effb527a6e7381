#include "container/control_info.h"

#include <cstddef>
#include <limits>

#include "container/errors.h"

namespace tidemark {
namespace {

char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool KeyNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  }
  return true;
}

std::string ControlInfo::Value(std::string_view name) const {
  for (const std::string& line : lines_) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) continue;
    if (KeyNamesEqual(std::string_view(line).substr(0, equals), name)) {
      return line.substr(equals + 1);
    }
  }
  return std::string();
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
