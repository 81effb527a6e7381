// What is wrong with a product, gathered so that one run reports all of it:
// errors, which stop the build, and warnings, which do not. Each names the
// place it comes from: a line of the product file, or a --set option of the
// build's command line, which stands for a line.
#pragma once

#include <string>
#include <vector>

namespace tidemark {

struct Problem {
  // 1-based line of the product file; negative: the --set option of that
  // number (SetOptionLine); 0: none.
  int line = 0;
  bool warning = false;
  std::string text;
};

// The place of the --set option at `index` (0-based) among a build's --set options.
inline int SetOptionLine(size_t index) { return -static_cast<int>(index) - 1; }

class Problems {
 public:
  // `source` names the product file in every line ("product.ini, line 3: ...");
  // `set_options` are the build's --set texts ("command line (--set KEY=VALUE): ...").
  explicit Problems(std::string source, std::vector<std::string> set_options = {})
      : source_(std::move(source)), set_options_(std::move(set_options)) {}

  void Fail(int line, std::string text) { list_.push_back({line, false, std::move(text)}); }
  void Warn(int line, std::string text) { list_.push_back({line, true, std::move(text)}); }

  bool HasErrors() const;
  const std::vector<Problem>& list() const { return list_; }

  // A place in words: "line 3" or "--set KEY=VALUE".
  std::string Place(int line) const;
  // One problem as a line of text: "SOURCE, line N: [warning: ]TEXT", or
  // "command line (--set KEY=VALUE): [warning: ]TEXT".
  std::string Describe(const Problem& problem) const;
  // Every warning, described: the product file's in the order of its lines,
  // then those of the --set options in their order, then those of no place.
  std::vector<std::string> Warnings() const;
  // Raises Error listing every problem in that order, one per line, when
  // there is an error, or with `warnings_as_errors` a warning.
  void ThrowIfErrors(bool warnings_as_errors = false) const;

 private:
  std::vector<Problem> InPlaceOrder() const;

  std::string source_;
  std::vector<std::string> set_options_;
  std::vector<Problem> list_;
};

}  // namespace tidemark
