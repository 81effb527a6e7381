#include "packer/product/problems.h"

#include <algorithm>
#include <climits>

#include "container/errors.h"

namespace tidemark {
namespace {

// The product file's lines first, then the --set options, then no place.
long long OrderOf(int line) {
  if (line > 0) return line;
  if (line < 0) return static_cast<long long>(INT_MAX) - line;
  return LLONG_MAX;
}

std::string Counted(size_t count, const char* what) {
  return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

}  // namespace

bool Problems::HasErrors() const {
  for (const Problem& problem : list_) {
    if (!problem.warning) return true;
  }
  return false;
}

std::string Problems::Place(int line) const {
  if (line >= 0) return "line " + std::to_string(line);
  const size_t index = static_cast<size_t>(-(line + 1));
  return "--set " + (index < set_options_.size() ? set_options_[index] : std::string());
}

std::string Problems::Describe(const Problem& problem) const {
  std::string text;
  if (problem.line < 0) {
    text = "command line (" + Place(problem.line) + ")";
  } else {
    text = source_;
    if (problem.line > 0) text += ", " + Place(problem.line);
  }
  text += ": ";
  if (problem.warning) text += "warning: ";
  return text + problem.text;
}

std::vector<Problem> Problems::InPlaceOrder() const {
  std::vector<Problem> sorted = list_;
  std::stable_sort(sorted.begin(), sorted.end(), [](const Problem& a, const Problem& b) {
    return OrderOf(a.line) < OrderOf(b.line);
  });
  return sorted;
}

std::vector<std::string> Problems::Warnings() const {
  std::vector<std::string> warnings;
  for (const Problem& problem : InPlaceOrder()) {
    if (problem.warning) warnings.push_back(Describe(problem));
  }
  return warnings;
}

void Problems::ThrowIfErrors(bool warnings_as_errors) const {
  size_t errors = 0;
  size_t warnings = 0;
  std::string lines;
  for (const Problem& problem : InPlaceOrder()) {
    (problem.warning ? warnings : errors) += 1;
    lines += "\n  " + Describe(problem);
  }
  if (errors == 0 && (warnings == 0 || !warnings_as_errors)) return;
  std::string counts = Counted(errors, "error");
  if (warnings_as_errors && warnings > 0)
    counts += " and " + Counted(warnings, "warning") + ", --warnings-as-errors";
  throw Error("the product cannot be packed (" + counts + "):" + lines);
}

}  // namespace tidemark
