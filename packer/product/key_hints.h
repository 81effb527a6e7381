// What a product file most likely meant by a key it does not know: the keys
// of other installer builders and of Windows' version information, and
// small slips of the pen.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tidemark {

// "; did you mean ...?" (with the leading "; "), or empty when nothing
// fits. `known` are the product file's keys, spelt as documented; a key
// that differs from one of them in at most two letters (letter case aside)
// is taken for it.
std::string KeyHint(std::string_view key, const std::vector<std::string>& known);

}  // namespace tidemark
