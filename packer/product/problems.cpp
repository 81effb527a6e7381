#include "packer/product/problems.h"

#include <algorithm>
#include <climits>

#include "container/errors.h"

namespace tidemark {

bool Problems::HasErrors() const {
  for (const Problem& problem : list_) {
    if (!problem.warning) return true;
  }
  return false;
}

std::string Problems::Describe(const Problem& problem) const {
  std::string text = source_;
  if (problem.line > 0) text += ", line " + std::to_string(problem.line);
  text += ": ";
  if (problem.warning) text += "warning: ";
  return text + problem.text;
}

std::vector<Problem> Problems::InLineOrder() const {
  // Problems of no line last.
  std::vector<Problem> sorted = list_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Problem& a, const Problem& b) {
    return (a.line == 0 ? INT_MAX : a.line) < (b.line == 0 ? INT_MAX : b.line);
  });
  return sorted;
}

std::vector<std::string> Problems::Warnings() const {
  std::vector<std::string> warnings;
  for (const Problem& problem : InLineOrder()) {
    if (problem.warning) warnings.push_back(Describe(problem));
  }
  return warnings;
}

void Problems::ThrowIfErrors() const {
  if (!HasErrors()) return;
  size_t errors = 0;
  std::string lines;
  for (const Problem& problem : InLineOrder()) {
    errors += problem.warning ? 0 : 1;
    lines += "\n  " + Describe(problem);
  }
  throw Error("the product cannot be packed (" + std::to_string(errors) +
              (errors == 1 ? " error" : " errors") + "):" + lines);
}

}  // namespace tidemark
