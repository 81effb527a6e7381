// InstallLog: the ordered list of paths an installation made, and its file
// text (one entry per line, CR LF after each). File access is the caller's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tidemark {

class InstallLog {
 public:
  void Append(std::string entry) { entries_.push_back(std::move(entry)); }
  void Clear() { entries_.clear(); }

  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  const std::string& operator[](size_t index) const { return entries_[index]; }
  const std::vector<std::string>& entries() const { return entries_; }

  // The whole file text: every entry followed by CR LF, written in one piece.
  std::string SaveText() const;

  // Replaces the entries with those of a file's bytes. CR LF, a lone CR and
  // a lone LF each end a line (so LF CR ends two); a last line without a
  // line end is an entry; a line end at the very end adds no empty entry;
  // a NUL byte ends the text. Entries are not trimmed.
  void LoadText(const std::string& bytes);
  void LoadText(const std::vector<uint8_t>& bytes);

 private:
  std::vector<std::string> entries_;
};

}  // namespace tidemark
