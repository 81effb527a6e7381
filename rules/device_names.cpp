#include "rules/device_names.h"

#include <array>
#include <string>

namespace tidemark {
namespace {

using Superscripts = std::array<std::string_view, 3>;  // one, two, three; empty: none

constexpr Superscripts kLatinSuperscripts = {"\xB9", "\xB2", "\xB3"};
constexpr Superscripts kGreekSuperscripts = {"", "\xB2", "\xB3"};  // B9 is a letter
constexpr Superscripts kKoreanSuperscripts = {"\xA9\xF6", "\xA9\xF7", "\xA9\xF8"};
constexpr Superscripts kUtf8Superscripts = {"\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};
constexpr Superscripts kNoSuperscripts = {"", "", ""};

struct CodePageSuperscripts {
  int code_page;
  const Superscripts& superscripts;
};

// The ANSI code pages of Windows, and where each keeps the digits.
constexpr CodePageSuperscripts kCodePages[] = {
    {874, kNoSuperscripts},     {932, kNoSuperscripts},     {936, kNoSuperscripts},
    {949, kKoreanSuperscripts}, {950, kNoSuperscripts},     {1250, kNoSuperscripts},
    {1251, kNoSuperscripts},    {1252, kLatinSuperscripts}, {1253, kGreekSuperscripts},
    {1254, kLatinSuperscripts}, {1255, kLatinSuperscripts}, {1256, kLatinSuperscripts},
    {1257, kLatinSuperscripts}, {1258, kLatinSuperscripts}, {65001, kUtf8Superscripts},
};

constexpr const Superscripts* kEveryForm[] = {&kLatinSuperscripts, &kKoreanSuperscripts,
                                              &kUtf8Superscripts};

bool IsSuperscriptIn(const Superscripts& superscripts, std::string_view text) {
  for (std::string_view form : superscripts) {
    if (!form.empty() && text == form) return true;
  }
  return false;
}

bool IsSuperscriptDigit(std::string_view text, int code_page) {
  for (const CodePageSuperscripts& known : kCodePages) {
    if (known.code_page == code_page) return IsSuperscriptIn(known.superscripts, text);
  }
  for (const Superscripts* superscripts : kEveryForm) {
    if (IsSuperscriptIn(*superscripts, text)) return true;
  }
  return false;
}

std::string FoldedAscii(std::string_view text) {
  std::string folded(text);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

// The part before the first "." of its own, without the blanks at its end:
// what Windows compares with the device names.
std::string_view Stem(std::string_view component, LeadBytePredicate is_lead_byte) {
  size_t end = component.size();
  for (size_t i = 0; i < component.size(); ++i) {
    if (is_lead_byte != nullptr && is_lead_byte(static_cast<unsigned char>(component[i]))) {
      ++i;
    } else if (component[i] == '.') {
      end = i;
      break;
    }
  }
  while (end > 0 && component[end - 1] == ' ') --end;
  return component.substr(0, end);
}

}  // namespace

bool IsDeviceName(std::string_view component, LeadBytePredicate is_lead_byte, int code_page) {
  const std::string_view stem = Stem(component, is_lead_byte);
  // Folding is exact here: every device name is made of ASCII bytes, and
  // an ASCII byte after ASCII bytes is a character of its own. The
  // superscript digit is compared as it stands.
  const std::string prefix = FoldedAscii(stem.substr(0, 3));
  const std::string_view rest = stem.substr(prefix.size());
  if (prefix == "con" || prefix == "prn" || prefix == "aux" || prefix == "nul") {
    return rest.empty() ||
           (prefix == "con" && (FoldedAscii(rest) == "in$" || FoldedAscii(rest) == "out$"));
  }
  if (prefix == "clo") return FoldedAscii(rest) == "ck$";
  if (prefix != "com" && prefix != "lpt") return false;
  if (rest.size() == 1 && rest[0] >= '0' && rest[0] <= '9') return true;
  return IsSuperscriptDigit(rest, code_page);
}

}  // namespace tidemark
