#include "rules/path_rules.h"

#include <vector>

#include "rules/device_names.h"

namespace tidemark {
namespace {

bool IsLead(LeadBytePredicate is_lead_byte, char c) {
  return is_lead_byte != nullptr && is_lead_byte(static_cast<unsigned char>(c));
}

bool IsComponentSeparator(char c) { return c == '\\' || c == '/'; }

bool IsForbiddenInName(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte < 0x20) return true;
  switch (c) {
    case ':':
    case '<':
    case '>':
    case '"':
    case '|':
    case '?':
    case '*':
      return true;
    default:
      return false;
  }
}

// A component that Windows would resolve to "." or ".." (it drops trailing
// dots and blanks) or to nothing.
bool IsDotsAndBlanksOnly(std::string_view component) {
  for (char c : component) {
    if (c != '.' && c != ' ') return false;
  }
  return true;
}

// Calls on_byte(position) for every single-byte character of `path`; both
// bytes of a double-byte character are passed over, since its trail byte
// may have any value, "\" included. Stops when on_byte returns false.
// Returns false when the text ends inside a double-byte character.
template <typename OnByte>
bool ForEachSingleByte(std::string_view path, LeadBytePredicate is_lead_byte, OnByte on_byte) {
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsLead(is_lead_byte, path[i])) {
      if (i + 1 == path.size()) return false;
      ++i;
      continue;
    }
    if (!on_byte(i)) break;
  }
  return true;
}

// Whether `name` holds a "\" or "/" of its own.
bool HasComponentSeparator(std::string_view name, LeadBytePredicate is_lead_byte) {
  bool found = false;
  ForEachSingleByte(name, is_lead_byte, [&](size_t i) {
    found = IsComponentSeparator(name[i]);
    return !found;
  });
  return found;
}

}  // namespace

size_t LastSeparator(std::string_view path, LeadBytePredicate is_lead_byte) {
  size_t last = std::string_view::npos;
  ForEachSingleByte(path, is_lead_byte, [&](size_t i) {
    if (path[i] == '\\' || path[i] == ':') last = i;
    return true;
  });
  return last;
}

size_t FirstBackslash(std::string_view path, LeadBytePredicate is_lead_byte) {
  size_t first = std::string_view::npos;
  ForEachSingleByte(path, is_lead_byte, [&](size_t i) {
    if (path[i] != '\\') return true;
    first = i;
    return false;
  });
  return first;
}

bool EndsWithBackslash(std::string_view path, LeadBytePredicate is_lead_byte) {
  bool ends = false;
  ForEachSingleByte(path, is_lead_byte, [&](size_t i) {
    ends = path[i] == '\\' && i + 1 == path.size();
    return true;
  });
  return ends;
}

std::string FolderPart(std::string_view path, LeadBytePredicate is_lead_byte) {
  const size_t last = LastSeparator(path, is_lead_byte);
  if (last == std::string_view::npos) return std::string();
  return std::string(path.substr(0, last + 1));
}

std::string WithoutTrailingBackslashes(std::string_view path, LeadBytePredicate is_lead_byte) {
  while (EndsWithBackslash(path, is_lead_byte)) path.remove_suffix(1);
  return std::string(path);
}

std::string FolderWithoutSeparator(std::string_view path, LeadBytePredicate is_lead_byte) {
  return WithoutTrailingBackslashes(FolderPart(path, is_lead_byte), is_lead_byte);
}

bool IsAbsolutePath(std::string_view path) {
  if (path.substr(0, 2) == "\\\\") return true;
  const bool drive_letter = path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') ||
                                                 (path[0] >= 'a' && path[0] <= 'z'));
  return drive_letter && path[1] == ':' && path[2] == '\\';
}

bool IsFolderBelowRoot(std::string_view folder, LeadBytePredicate is_lead_byte) {
  if (!IsAbsolutePath(folder) || EndsWithBackslash(folder, is_lead_byte)) return false;
  const size_t root_length = folder[0] == '\\' ? 2 : 3;
  return folder.size() > root_length;
}

bool IsAtOrBelow(std::string_view path, std::string_view folder, LeadBytePredicate is_lead_byte) {
  if (folder.empty() || path.substr(0, folder.size()) != folder) return false;
  if (path.size() == folder.size()) return true;
  // Read alike up to there, `path` has a character of its own at the end of
  // `folder` exactly when `folder` does not end inside one.
  const bool whole = ForEachSingleByte(folder, is_lead_byte, [](size_t) { return true; });
  return whole && path[folder.size()] == '\\';
}

bool ContainsText(std::string_view text, std::string_view part, LeadBytePredicate is_lead_byte) {
  bool found = part.empty();
  for (size_t i = 0; !found && i < text.size(); ++i) {
    found = text.substr(i, part.size()) == part;
    if (IsLead(is_lead_byte, text[i])) ++i;
  }
  return found;
}

bool HasEmptyComponent(std::string_view path, LeadBytePredicate is_lead_byte) {
  bool empty_component = path.empty();
  size_t component_start = 0;
  ForEachSingleByte(path, is_lead_byte, [&](size_t i) {
    if (path[i] != '\\') return true;
    empty_component = i == component_start || i + 1 == path.size();
    component_start = i + 1;
    return !empty_component;
  });
  return empty_component;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  path.push_back('\\');
  path.append(name);
  return path;
}

NameCheck CheckRelativeName(std::string_view name, LeadBytePredicate is_lead_byte, int code_page) {
  bool below = true;
  bool plain = !name.empty();
  std::vector<std::string_view> components;
  size_t component_start = 0;
  const auto end_component = [&](size_t end) {
    const std::string_view component = name.substr(component_start, end - component_start);
    if (component.empty()) {
      plain = false;
    } else if (IsDotsAndBlanksOnly(component)) {
      below = false;
    } else {
      components.push_back(component);
    }
  };
  const bool whole = ForEachSingleByte(name, is_lead_byte, [&](size_t i) {
    if (IsComponentSeparator(name[i])) {
      end_component(i);
      component_start = i + 1;
    } else if (name[i] == ':') {
      below = false;
    } else if (IsForbiddenInName(name[i])) {
      plain = false;
    }
    return below;
  });
  if (below && whole) end_component(name.size());
  if (!below || !whole) return {NameFault::kNotBelow, {}};
  for (std::string_view component : components) {
    if (IsDeviceName(component, is_lead_byte, code_page)) {
      return {NameFault::kDeviceName, component};
    }
    // "." and " " lie below 0x40, which no double-byte code page uses as a
    // second byte: a last byte of either value is a character of its own.
    if (component.back() == '.' || component.back() == ' ') {
      return {NameFault::kTrailingDotOrBlank, component};
    }
  }
  if (!plain) return {NameFault::kNotPlain, {}};
  return {};
}

bool StaysBelowFolder(std::string_view name, LeadBytePredicate is_lead_byte, int code_page) {
  const NameFault fault = CheckRelativeName(name, is_lead_byte, code_page).fault;
  return fault == NameFault::kNone || fault == NameFault::kNotPlain;
}

bool StaysInFolder(std::string_view name, LeadBytePredicate is_lead_byte, int code_page) {
  return !HasComponentSeparator(name, is_lead_byte) &&
         StaysBelowFolder(name, is_lead_byte, code_page);
}

bool IsSafeRelativeName(std::string_view name, LeadBytePredicate is_lead_byte, int code_page) {
  return CheckRelativeName(name, is_lead_byte, code_page).fault == NameFault::kNone;
}

bool IsSafeFileName(std::string_view name, LeadBytePredicate is_lead_byte, int code_page) {
  return !HasComponentSeparator(name, is_lead_byte) &&
         IsSafeRelativeName(name, is_lead_byte, code_page);
}

}  // namespace tidemark
