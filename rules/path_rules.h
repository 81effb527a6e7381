// Path texts as the installer forms them: byte strings in the ANSI code page,
// "\" as separator, joined by plain concatenation and never normalised.
#pragma once

#include <string>
#include <string_view>

namespace tidemark {

// Tells whether a byte starts a double-byte character in the current code
// page. Without one (nullptr), every character is a single byte.
using LeadBytePredicate = bool (*)(unsigned char byte);

// Position of the last "\" or ":" in `path` that is a character of its own
// (not the second byte of a double-byte character); npos when there is none.
size_t LastSeparator(std::string_view path, LeadBytePredicate is_lead_byte = nullptr);

// Position of the first "\" in `path` that is a character of its own; npos
// when there is none.
size_t FirstBackslash(std::string_view path, LeadBytePredicate is_lead_byte = nullptr);

// Whether the last character of `path` is a "\" (not the second byte of a
// double-byte character).
bool EndsWithBackslash(std::string_view path, LeadBytePredicate is_lead_byte = nullptr);

// The characters of `path` up to and including its last "\" or ":"; empty
// when it holds neither.
std::string FolderPart(std::string_view path, LeadBytePredicate is_lead_byte = nullptr);

// `path` without the "\" characters at its end (a doubled separator, as plain
// joining makes, counts as one).
std::string WithoutTrailingBackslashes(std::string_view path,
                                       LeadBytePredicate is_lead_byte = nullptr);

// FolderPart without its trailing "\" characters (a trailing ":" stays, as
// in "C:").
std::string FolderWithoutSeparator(std::string_view path, LeadBytePredicate is_lead_byte = nullptr);

// Whether `path` names the same place whatever the current folder: it
// starts with a drive and its root ("C:\") or with "\\" (a network path).
bool IsAbsolutePath(std::string_view path);

// Whether `folder` (given without trailing "\") is an absolute path that
// names more than a root: "C:\App", but not "C:", "C:\", "App" or "".
bool IsFolderBelowRoot(std::string_view folder, LeadBytePredicate is_lead_byte = nullptr);

// Whether `path` is `folder` itself or lies below it: it begins with the
// bytes of `folder`, followed by nothing or by a "\" of its own. A `folder`
// that ends inside a double-byte character has nothing below it.
bool IsAtOrBelow(std::string_view path, std::string_view folder,
                 LeadBytePredicate is_lead_byte = nullptr);

// Whether `part` occurs in `text` beginning at a character of its own (not at
// the second byte of a double-byte character).
bool ContainsText(std::string_view text, std::string_view part,
                  LeadBytePredicate is_lead_byte = nullptr);

// Whether `path` has an empty component: it is empty, or it begins or ends
// with a "\", or holds two in a row (each a character of its own).
bool HasEmptyComponent(std::string_view path, LeadBytePredicate is_lead_byte = nullptr);

// `folder` + "\" + `name`, exactly; a folder that already ends with "\"
// gives a doubled separator, as the installer has always written it.
std::string JoinPath(std::string_view folder, std::string_view name);

// A Windows code page number, as GetACP gives it, for the rules that depend
// on more than lead bytes. kAnyCodePage stands for a code page the caller
// does not know: those rules then refuse what any code page would.
inline constexpr int kAnyCodePage = 0;

// Why a name cannot be placed under a folder.
enum class NameFault {
  kNone,
  // Not a plain relative name: empty, absolute (a leading separator: root
  // or UNC path), any ":" (a drive, or an alternate stream of a file), an
  // empty component (doubled or trailing separators), a component made
  // only of dots and blanks ("." and ".." among them), a control character
  // or one of the characters < > " | ? *, or a text that ends inside a
  // double-byte character.
  kNotPlain,
  // A component names a device (IsDeviceName in rules/device_names.h).
  kDeviceName,
  // A component ends with "." or a blank, which Windows drops ("trail." is
  // made as "trail").
  kTrailingDotOrBlank,
};

struct NameCheck {
  NameFault fault = NameFault::kNone;
  std::string_view component;  // the component at fault, for the last two faults
};

// Checks `name` as a path below a folder; "\" and "/" both separate
// components, as Windows treats them. The first fault found is reported:
// kNotPlain before the faults of single components, which are looked at
// from the first component on.
NameCheck CheckRelativeName(std::string_view name, LeadBytePredicate is_lead_byte = nullptr,
                            int code_page = kAnyCodePage);

// Whether `name` can safely be placed under a folder: CheckRelativeName
// finds no fault. The name then stays below the folder and names a file or
// folder there, exactly as written.
bool IsSafeRelativeName(std::string_view name, LeadBytePredicate is_lead_byte = nullptr,
                        int code_page = kAnyCodePage);

// Whether `name` can stand as one file or folder name inside a folder: a
// safe relative name (above) without any "\" or "/". The product name and
// the shortcut names must be such names, or the program group, the install
// log, the uninstall entry or a link would land outside their folders.
bool IsSafeFileName(std::string_view name, LeadBytePredicate is_lead_byte = nullptr,
                    int code_page = kAnyCodePage);

}  // namespace tidemark
