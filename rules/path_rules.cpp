#include "rules/path_rules.h"

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
    case ':': case '<': case '>': case '"': case '|': case '?': case '*':
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

}  // namespace

size_t LastSeparator(std::string_view path, LeadBytePredicate is_lead_byte) {
  size_t last = std::string_view::npos;
  for (size_t i = 0; i < path.size(); ++i) {
    if (IsLead(is_lead_byte, path[i])) {
      ++i;  // the trail byte is part of this character, whatever its value
      continue;
    }
    if (path[i] == '\\' || path[i] == ':') last = i;
  }
  return last;
}

std::string FolderPart(std::string_view path, LeadBytePredicate is_lead_byte) {
  const size_t last = LastSeparator(path, is_lead_byte);
  if (last == std::string_view::npos) return std::string();
  return std::string(path.substr(0, last + 1));
}

std::string FolderWithoutSeparator(std::string_view path, LeadBytePredicate is_lead_byte) {
  std::string folder = FolderPart(path, is_lead_byte);
  if (!folder.empty() && folder.back() == '\\') folder.pop_back();
  return folder;
}

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  path.push_back('\\');
  path.append(name);
  return path;
}

bool IsSafeRelativeName(std::string_view name, LeadBytePredicate is_lead_byte) {
  if (name.empty()) return false;
  size_t component_start = 0;
  for (size_t i = 0; i <= name.size(); ++i) {
    if (i < name.size() && IsLead(is_lead_byte, name[i])) {
      if (i + 1 == name.size()) return false;  // a lead byte without its trail
      ++i;
      continue;
    }
    if (i == name.size() || IsComponentSeparator(name[i])) {
      if (IsDotsAndBlanksOnly(name.substr(component_start, i - component_start))) return false;
      component_start = i + 1;
      continue;
    }
    if (IsForbiddenInName(name[i])) return false;
  }
  return true;
}

}  // namespace tidemark
