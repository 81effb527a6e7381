#include "rules/removal_scope.h"

#include <optional>

namespace tidemark {
namespace {

constexpr std::string_view kLinkExtension = ".lnk";

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

char FoldedAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// What follows `folder` in `entry`: the entry must begin with the folder
// (compared as ClassifyEntry describes) and go on with one or more
// separators, all of which are passed over. None when it does not, or when
// nothing follows them.
std::optional<std::string_view> RemainderBelow(std::string_view entry, std::string_view folder,
                                               LeadBytePredicate is_lead_byte) {
  const auto is_lead = [&](char c) {
    return is_lead_byte != nullptr && is_lead_byte(static_cast<unsigned char>(c));
  };
  // The folder without its separators at the end, each a character of its own.
  size_t folder_end = 0;
  for (size_t i = 0; i < folder.size(); ++i) {
    if (is_lead(folder[i])) {
      if (i + 1 == folder.size()) return std::nullopt;  // ends inside a character
      i += 1;
      folder_end = i + 1;
    } else if (!IsSeparator(folder[i])) {
      folder_end = i + 1;
    }
  }
  if (folder_end == 0) return std::nullopt;
  folder = folder.substr(0, folder_end);
  // The "\\" of a network path is no doubled separator: "\server" names a
  // folder of the current drive, "\\server" a machine.
  const auto leading_separators = [](std::string_view text) {
    size_t count = 0;
    while (count < text.size() && IsSeparator(text[count])) ++count;
    return count;
  };
  size_t at = leading_separators(entry);  // in the entry
  size_t i = leading_separators(folder);
  if (at != i) return std::nullopt;
  while (i < folder.size()) {
    if (at == entry.size()) return std::nullopt;
    if (is_lead(folder[i])) {
      if (entry.substr(at, 2) != folder.substr(i, 2)) return std::nullopt;
      i += 2, at += 2;
    } else if (IsSeparator(folder[i])) {
      if (!IsSeparator(entry[at])) return std::nullopt;
      while (i < folder.size() && IsSeparator(folder[i])) ++i;
      while (at < entry.size() && IsSeparator(entry[at])) ++at;
    } else {
      if (FoldedAscii(folder[i]) != FoldedAscii(entry[at])) return std::nullopt;
      ++i, ++at;
    }
  }
  // Read alike up to here, the entry's next byte is a character of its own.
  size_t rest = at;
  if (rest == entry.size() || !IsSeparator(entry[rest])) return std::nullopt;
  while (rest < entry.size() && IsSeparator(entry[rest])) ++rest;
  if (rest == entry.size()) return std::nullopt;
  return entry.substr(rest);
}

// `text` with each run of separators taken as its first one, as Windows
// reads a path; the second byte of a double-byte character stays as it is.
std::string WithSingleSeparators(std::string_view text, LeadBytePredicate is_lead_byte) {
  std::string single;
  single.reserve(text.size());
  bool after_separator = false;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool lead = is_lead_byte != nullptr && is_lead_byte(static_cast<unsigned char>(text[i]));
    if (lead && i + 1 < text.size()) {
      single.append(text.substr(i++, 2));
      after_separator = false;
    } else if (!IsSeparator(text[i]) || !after_separator) {
      single.push_back(text[i]);
      after_separator = IsSeparator(text[i]);
    }
  }
  return single;
}

// The link's name when `entry` is a link directly in `folder`.
std::optional<std::string_view> LinkNameIn(std::string_view entry, std::string_view folder,
                                           LeadBytePredicate is_lead_byte, int code_page) {
  if (folder.empty()) return std::nullopt;
  const std::optional<std::string_view> name = RemainderBelow(entry, folder, is_lead_byte);
  if (!name || name->size() <= kLinkExtension.size()) return std::nullopt;
  const std::string_view extension = name->substr(name->size() - kLinkExtension.size());
  for (size_t i = 0; i < extension.size(); ++i) {
    if (FoldedAscii(extension[i]) != kLinkExtension[i]) return std::nullopt;
  }
  // The names the installation plans (StaysInFolder), characters that the
  // shell could not write among them; the name ends in a character of its
  // own, so the extension is one.
  if (!StaysInFolder(*name, is_lead_byte, code_page)) return std::nullopt;
  return name;
}

}  // namespace

EntryPlace PlaceEntry(std::string_view entry, const RemovalScope& scope,
                      LeadBytePredicate is_lead_byte, int code_page) {
  const std::string install_folder = WithoutTrailingBackslashes(scope.install_folder, is_lead_byte);
  if (IsFolderBelowRoot(install_folder, is_lead_byte)) {
    const std::optional<std::string_view> rest =
        RemainderBelow(entry, install_folder, is_lead_byte);
    // A doubled separator, which the installation writes as formed, counts
    // as one here too; every other fault keeps the entry out (a "*" or "?"
    // would widen the removal batch's deletion to many files).
    if (rest &&
        IsSafeRelativeName(WithSingleSeparators(*rest, is_lead_byte), is_lead_byte, code_page)) {
      return {EntryKind::kInstalled, install_folder, std::string(*rest)};
    }
  }
  if (const auto name = LinkNameIn(entry, scope.desktop_folder, is_lead_byte, code_page)) {
    return {EntryKind::kDesktopLink, scope.desktop_folder, std::string(*name)};
  }
  if (!scope.programs_folder.empty() && IsSafeFileName(scope.app_name, is_lead_byte, code_page)) {
    if (const auto name = LinkNameIn(entry, JoinPath(scope.programs_folder, scope.app_name),
                                     is_lead_byte, code_page)) {
      return {EntryKind::kGroupLink, scope.programs_folder,
              scope.app_name + "\\" + std::string(*name)};
    }
  }
  return {};
}

EntryKind ClassifyEntry(std::string_view entry, const RemovalScope& scope,
                        LeadBytePredicate is_lead_byte, int code_page) {
  return PlaceEntry(entry, scope, is_lead_byte, code_page).kind;
}

bool MayDelete(std::string_view entry, const RemovalScope& scope, LeadBytePredicate is_lead_byte,
               int code_page) {
  return ClassifyEntry(entry, scope, is_lead_byte, code_page) != EntryKind::kOutside;
}

bool MayBeUninstallerPath(std::string_view entry, const RemovalScope& scope,
                          LeadBytePredicate is_lead_byte, int code_page) {
  return ClassifyEntry(entry, scope, is_lead_byte, code_page) == EntryKind::kInstalled;
}

}  // namespace tidemark
