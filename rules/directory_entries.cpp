#include "rules/directory_entries.h"

namespace tidemark {
namespace {

// The position just past the next "\" at or after `from`; npos when none.
size_t PastNextBackslash(const std::string& path, size_t from, LeadBytePredicate is_lead_byte) {
  if (from > path.size()) return std::string::npos;
  const size_t found = FirstBackslash(std::string_view(path).substr(from), is_lead_byte);
  return found == std::string_view::npos ? std::string::npos : from + found + 1;
}

}  // namespace

char DriveLetterOf(const std::string& path) {
  if (path.size() < 2 || path[1] != ':') return 0;
  const char letter = path[0];
  if (letter >= 'a' && letter <= 'z') return static_cast<char>(letter - 'a' + 'A');
  return letter >= 'A' && letter <= 'Z' ? letter : 0;
}

std::string FolderRoot(const std::string& path, LeadBytePredicate is_lead_byte) {
  if (path.empty()) return path;
  if (DriveLetterOf(path) != 0) return path.substr(0, 2) + "\\";
  if (path.rfind("\\\\", 0) == 0) {
    // \\server\share\ : the backslash after the share ends the root.
    const size_t share = PastNextBackslash(path, 2, is_lead_byte);
    const size_t after_share = PastNextBackslash(path, share, is_lead_byte);
    if (share != std::string::npos && after_share != std::string::npos) {
      return path.substr(0, after_share);
    }
    return path + "\\";
  }
  return path;
}

std::string SubfolderPath(const std::string& folder, const std::string& name,
                          LeadBytePredicate is_lead_byte) {
  if (EndsWithBackslash(folder, is_lead_byte)) return folder + name;
  return JoinPath(folder, name);
}

std::vector<DirectoryEntry> DirectoryEntries(const std::string& current,
                                             const std::vector<std::string>& subfolders,
                                             LeadBytePredicate is_lead_byte) {
  const std::string root = FolderRoot(current, is_lead_byte);
  std::vector<DirectoryEntry> entries;
  entries.push_back({root, root, 0, FolderIcon::kOpen});

  // One entry per folder below the root; empty parts (a doubled or trailing
  // separator) name no folder.
  size_t start = root.size();
  while (start < current.size()) {
    const size_t next = PastNextBackslash(current, start, is_lead_byte);
    const size_t end = next == std::string::npos ? current.size() : next - 1;
    if (end > start) {
      const DirectoryEntry& parent = entries.back();
      const std::string name = current.substr(start, end - start);
      entries.push_back({name, SubfolderPath(parent.path, name, is_lead_byte), parent.level + 1,
                         FolderIcon::kOpen});
    }
    if (next == std::string::npos) break;
    start = next;
  }
  entries.back().icon = FolderIcon::kCurrent;

  const DirectoryEntry folder = entries.back();
  for (const std::string& name : subfolders) {
    entries.push_back({name, SubfolderPath(folder.path, name, is_lead_byte), folder.level + 1,
                       FolderIcon::kClosed});
  }
  return entries;
}

size_t CurrentEntryIndex(const std::vector<DirectoryEntry>& entries) {
  for (size_t i = 0; i < entries.size(); ++i) {
    if (entries[i].icon == FolderIcon::kCurrent) return i;
  }
  return 0;
}

}  // namespace tidemark
