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

// Why a name cannot be placed under a folder. The first three faults would
// take a file elsewhere than the name says; the last one only makes a name
// that the system may refuse.
enum class NameFault {
  kNone,
  // No file of its own below the folder: any ":" (a drive, or an alternate
  // stream of a file), a component made only of dots and blanks ("." and
  // ".." among them, which Windows resolves to the folder itself or the one
  // above), or a text that ends inside a double-byte character.
  kNotBelow,
  // A component names a device (IsDeviceName in rules/device_names.h).
  kDeviceName,
  // A component ends with "." or a blank, which Windows drops ("trail." is
  // made as "trail").
  kTrailingDotOrBlank,
  // Below the folder, but not a plain name: empty, a leading, trailing or
  // doubled separator (an empty component), a control character or one of
  // the characters < > " | ? *. Windows takes a doubled separator as one
  // and refuses the characters.
  kNotPlain,
};

struct NameCheck {
  NameFault fault = NameFault::kNone;
  std::string_view component;  // the component at fault, for a device or a trailing dot or blank
};

// Checks `name` as a path below a folder; "\" and "/" both separate
// components, as Windows treats them. The first fault found is reported, in
// the order of the faults above: kNotBelow for the whole name, then the
// faults of single components from the first component on, then kNotPlain.
NameCheck CheckRelativeName(std::string_view name, LeadBytePredicate is_lead_byte = nullptr,
                            int code_page = kAnyCodePage);

// Whether `folder` + "\" + `name` stays at or below the folder and names
// neither a device nor another file than written: CheckRelativeName finds
// no fault or only kNotPlain. This is what an installer must refuse of the
// names a container brings; the rest the system answers.
bool StaysBelowFolder(std::string_view name, LeadBytePredicate is_lead_byte = nullptr,
                      int code_page = kAnyCodePage);

// Whether `name` names one file or folder directly inside a folder: it
// stays below the folder (above) and holds no "\" or "/". A link's file
// name must be one, or the link would land in another folder than its own.
bool StaysInFolder(std::string_view name, LeadBytePredicate is_lead_byte = nullptr,
                   int code_page = kAnyCodePage);

// Whether `name` can safely be placed under a folder: CheckRelativeName
// finds no fault. The name then stays below the folder and names a file or
// folder there, exactly as written.
bool IsSafeRelativeName(std::string_view name, LeadBytePredicate is_lead_byte = nullptr,
                        int code_page = kAnyCodePage);

// Whether `name` can stand as one file or folder name inside a folder: a
// safe relative name (above) without any "\" or "/". The product name must
// be such a name, or the program group, the install log or the uninstall
// entry would land outside their folders or fail.
bool IsSafeFileName(std::string_view name, LeadBytePredicate is_lead_byte = nullptr,
                    int code_page = kAnyCodePage);

}  // namespace tidemark
