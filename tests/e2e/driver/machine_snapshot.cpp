#include "tests/e2e/driver/machine_snapshot.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "system/handles.h"

namespace tidemark::e2e {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

bool IsExcepted(const std::string& path, const std::vector<std::string>& except) {
  const std::string lower = Lower(path);
  for (const std::string& excepted : except) {
    const std::string prefix = Lower(excepted);
    if (lower.compare(0, prefix.size(), prefix) == 0 &&
        (lower.size() == prefix.size() || lower[prefix.size()] == '\\' || prefix.back() == '\\')) {
      return true;
    }
  }
  return false;
}

std::string DescribeFile(const WIN32_FIND_DATAA& found) {
  const uint64_t size = (uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
  const uint64_t written =
      (uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32) | found.ftLastWriteTime.dwLowDateTime;
  return "file of " + std::to_string(size) + " bytes written at " + std::to_string(written);
}

void AddFolder(const std::string& folder, const std::vector<std::string>& except,
               SnapshotEntries& entries) {
  WIN32_FIND_DATAA found;
  FindHandle search(FindFirstFileA((folder + "\\*").c_str(), &found));
  if (!search) return;
  do {
    const std::string name = found.cFileName;
    if (name == "." || name == "..") continue;
    const std::string path = folder + "\\" + name;
    if (IsExcepted(path, except)) continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      entries[path] = "folder";
      AddFolder(path, except, entries);
    } else {
      entries[path] = DescribeFile(found);
    }
  } while (FindNextFileA(search.get(), &found));
}

std::string Hex(const BYTE* data, DWORD size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (DWORD i = 0; i < size; ++i) {
    text += kDigits[data[i] >> 4];
    text += kDigits[data[i] & 15];
  }
  return text;
}

void AddKey(HKEY parent, const std::string& path, const std::string& sub_key,
            SnapshotEntries& entries) {
  RegKey key;
  if (RegOpenKeyExA(parent, sub_key.c_str(), 0, KEY_READ, key.Receive()) != ERROR_SUCCESS) return;
  entries[path] = "key";
  char name[16384];
  std::vector<BYTE> data(1 << 16);
  for (DWORD index = 0;; ++index) {
    DWORD name_size = sizeof name;
    DWORD type = 0;
    DWORD data_size = static_cast<DWORD>(data.size());
    const LSTATUS status =
        RegEnumValueA(key.get(), index, name, &name_size, nullptr, &type, data.data(), &data_size);
    if (status == ERROR_MORE_DATA) {
      data.resize(data.size() * 4);
      --index;
      continue;
    }
    if (status != ERROR_SUCCESS) break;
    entries[path + " value \"" + std::string(name, name_size) + "\""] =
        "type " + std::to_string(type) + " data " + Hex(data.data(), data_size);
  }
  for (DWORD index = 0;; ++index) {
    DWORD name_size = sizeof name;
    if (RegEnumKeyExA(key.get(), index, name, &name_size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    const std::string child(name, name_size);
    AddKey(key.get(), path + "\\" + child, child, entries);
  }
}

}  // namespace

SnapshotEntries SnapshotFolder(const std::string& root, const std::vector<std::string>& except) {
  std::string folder = root;
  while (!folder.empty() && folder.back() == '\\') folder.pop_back();
  const DWORD attributes = GetFileAttributesA((folder + "\\").c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    throw std::runtime_error("no folder " + root + " to take a snapshot of");
  }
  SnapshotEntries entries;
  AddFolder(folder, except, entries);
  return entries;
}

SnapshotEntries SnapshotMachineKey(const std::string& key) {
  SnapshotEntries entries;
  AddKey(HKEY_LOCAL_MACHINE, "HKLM\\" + key, key, entries);
  return entries;
}

std::vector<std::string> SnapshotDifferences(const SnapshotEntries& before,
                                             const SnapshotEntries& after) {
  std::vector<std::string> differences;
  auto old_entry = before.begin();
  auto new_entry = after.begin();
  while (old_entry != before.end() || new_entry != after.end()) {
    if (new_entry == after.end() ||
        (old_entry != before.end() && old_entry->first < new_entry->first)) {
      differences.push_back("removed " + old_entry->first + " (" + old_entry->second + ")");
      ++old_entry;
    } else if (old_entry == before.end() || new_entry->first < old_entry->first) {
      differences.push_back("added " + new_entry->first + " (" + new_entry->second + ")");
      ++new_entry;
    } else {
      if (old_entry->second != new_entry->second) {
        differences.push_back("changed " + old_entry->first + ": " + old_entry->second + " -> " +
                              new_entry->second);
      }
      ++old_entry;
      ++new_entry;
    }
  }
  return differences;
}

}  // namespace tidemark::e2e
