// What is wrong with a product, gathered so that one run reports all of it:
// errors, which stop the build, and warnings, which do not. Each names the
// line of the product file it comes from, when it comes from one.
#pragma once

#include <string>
#include <vector>

namespace tidemark {

struct Problem {
  int line = 0;  // 1-based line of the product file; 0: none
  bool warning = false;
  std::string text;
};

class Problems {
 public:
  // `source` names the product file in every line ("product.ini, line 3: ...").
  explicit Problems(std::string source) : source_(std::move(source)) {}

  void Fail(int line, std::string text) { list_.push_back({line, false, std::move(text)}); }
  void Warn(int line, std::string text) { list_.push_back({line, true, std::move(text)}); }

  bool HasErrors() const;
  const std::vector<Problem>& list() const { return list_; }

  // One problem as a line of text: "SOURCE, line N: [warning: ]TEXT".
  std::string Describe(const Problem& problem) const;
  // Every warning, described, in the order of the product file's lines.
  std::vector<std::string> Warnings() const;
  // Raises Error listing every problem in that order, one per line, when
  // there is an error.
  void ThrowIfErrors() const;

 private:
  std::vector<Problem> InLineOrder() const;

  std::string source_;
  std::vector<Problem> list_;
};

}  // namespace tidemark
