// The installer's code page. The stub reads every name and text in the
// system's ANSI code page; vendors write UTF-8. The packer converts names and
// values into the code page the installer is made for, and back to UTF-8
// when it shows or extracts an installer.
#pragma once

#include <string>
#include <string_view>

#include "rules/path_rules.h"

namespace tidemark {

inline constexpr int kDefaultCodePage = 1252;

// The control-information key under which the packer records the code page
// (the stub reads only the keys it knows and passes over this one).
inline constexpr char kCodePageKey[] = "TidemarkCodePage";

class CodePage {
 public:
  // Raises Error for a code page the packer cannot convert to.
  explicit CodePage(int number = kDefaultCodePage);

  int number() const { return number_; }
  // The lead-byte test of a double-byte code page; nullptr for a single-byte one.
  LeadBytePredicate lead_byte() const { return lead_byte_; }

  // `utf8` in this code page. Raises Error saying which character the code
  // page cannot hold, or that the text is not UTF-8; the caller names the
  // key or file it came from.
  std::string FromUtf8(std::string_view utf8) const;

  // `text` of this code page as UTF-8; a byte that is no character of it
  // shows as \xNN.
  std::string ToUtf8(std::string_view text) const;

 private:
  int number_;
  LeadBytePredicate lead_byte_;
};

// The code pages the packer can convert to, for messages and the usage text.
const char* SupportedCodePages();

// Where `text` stops being UTF-8 (npos when all of it is).
size_t FirstNonUtf8Byte(std::string_view text);

}  // namespace tidemark
