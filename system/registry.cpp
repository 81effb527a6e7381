#include "system/registry.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "container/errors.h"
#include "rules/path_rules.h"
#include "system/handles.h"
#include "system/path.h"

namespace tidemark {

namespace {

// The reads try the machine-wide root first and the user's second.
const HKEY kReadRootsInOrder[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};

// Read access levels, tried in this order; the first that is granted is kept.
const REGSAM kReadAccessLadder[] = {
    KEY_READ,                                                         // 0x20019
    STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS,  // 0x20009
    KEY_QUERY_VALUE,                                                  // 0x0001
};

// A value may grow between the size query and the read; give it a few
// chances before calling the read failed.
constexpr int kDataReadAttempts = 4;

// Key names are at most 255 characters; in a double-byte code page that can
// be twice as many bytes, plus the terminator.
constexpr DWORD kLongestAnsiKeyName = 2 * 255 + 1;

std::string Quoted(const char* text, const std::string& name) {
  return std::string(text) + " '" + name + "'";
}

RegKey OpenKey(HKEY root, const std::string& key_path, REGSAM access) {
  HKEY opened = nullptr;
  if (RegOpenKeyExA(root, key_path.c_str(), 0, access, &opened) != ERROR_SUCCESS) return RegKey();
  return RegKey(opened);
}

RegKey OpenKeyFullAccess(HKEY root, const std::string& key_path) {
  return OpenKey(root, key_path, KEY_ALL_ACCESS);
}

RegKey OpenKeyForReading(HKEY root, const std::string& key_path) {
  for (REGSAM access : kReadAccessLadder) {
    RegKey key = OpenKey(root, key_path, access);
    if (key) return key;
  }
  return RegKey();
}

// Reads one string value from an open key (or from no key, which gives the
// empty text).
std::string ReadStringValue(HKEY key, const std::string& value_name) {
  if (key == nullptr) return std::string();
  DWORD type = REG_NONE;
  DWORD size = 0;
  if (RegQueryValueExA(key, value_name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size == 0) {
    return std::string();
  }

  std::vector<char> data;
  LONG status = ERROR_MORE_DATA;
  for (int attempt = 0; attempt < kDataReadAttempts && status == ERROR_MORE_DATA; ++attempt) {
    data.resize(size);
    status = RegQueryValueExA(key, value_name.c_str(), nullptr, &type,
                              reinterpret_cast<BYTE*>(data.data()), &size);
  }
  if (status != ERROR_SUCCESS) throw Error(Quoted("Failed to get data for", value_name));
  if (type != REG_SZ && type != REG_EXPAND_SZ) {
    throw Error(Quoted("Invalid data type for", value_name));
  }
  data.resize(std::min<size_t>(size, data.size()));
  return std::string(data.begin(), std::find(data.begin(), data.end(), '\0'));
}

template <typename OpenFn>
std::string ReadFromRoots(const std::string& key_path, const std::string& value_name, OpenFn open) {
  for (HKEY root : kReadRootsInOrder) {
    RegKey key = open(root, key_path);
    std::string value = ReadStringValue(key.get(), value_name);
    if (!value.empty()) return value;
  }
  return std::string();
}

std::string SubKeyName(HKEY key, DWORD index, DWORD longest_name) {
  std::vector<char> name(longest_name + 1);
  for (;;) {
    DWORD length = static_cast<DWORD>(name.size());
    const LONG status =
        RegEnumKeyExA(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS) return std::string(name.data(), length);
    if (status != ERROR_MORE_DATA || name.size() >= kLongestAnsiKeyName) return std::string();
    name.resize(kLongestAnsiKeyName);
  }
}

// Depth first: every sub-key of `parent`\`key_path` goes before the key.
void DeleteKeyTree(HKEY parent, const std::string& key_path) {
  if (RegKey key = OpenKeyFullAccess(parent, key_path)) {
    DWORD sub_key_count = 0;
    DWORD longest_name = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &sub_key_count, &longest_name,
                         nullptr, nullptr, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS) {
      for (DWORD index = sub_key_count; index-- > 0;) {
        const std::string name = SubKeyName(key.get(), index, longest_name);
        if (!name.empty()) DeleteKeyTree(key.get(), name);
      }
    }
  }
  RegDeleteKeyA(parent, key_path.c_str());
}

void WriteRegValue(const std::string& key_path, const std::string& value_name, DWORD type,
                   const void* data, size_t size) {
  HKEY created = nullptr;
  RegKey key;
  if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, key_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &created, nullptr) == ERROR_SUCCESS) {
    key.Reset(created);
  }
  if (!key || size >= MAXDWORD ||
      RegSetValueExA(key.get(), value_name.c_str(), 0, type, static_cast<const BYTE*>(data),
                     static_cast<DWORD>(size)) != ERROR_SUCCESS) {
    throw Error(Quoted("Failed to set data for", value_name));
  }
}

}  // namespace

std::string ReadRegString(const std::string& key_path, const std::string& value_name) {
  return ReadFromRoots(key_path, value_name, OpenKeyFullAccess);
}

std::string ReadRegStringReadOnly(const std::string& key_path, const std::string& value_name) {
  return ReadFromRoots(key_path, value_name, OpenKeyForReading);
}

void WriteRegString(const std::string& key_path, const std::string& value_name,
                    const std::string& value) {
  // With its zero byte.
  WriteRegValue(key_path, value_name, REG_SZ, value.c_str(), value.size() + 1);
}

void WriteRegDword(const std::string& key_path, const std::string& value_name, uint32_t value) {
  const DWORD data = value;
  WriteRegValue(key_path, value_name, REG_DWORD, &data, sizeof data);
}

void DeleteRegKey(const std::string& key_path) {
  // A leading, trailing or doubled separator would let the registry read the
  // path as one of its parents; deleting that would reach far beyond the key
  // that was meant. A key name may end in a double-byte character whose
  // second byte is "\".
  if (HasEmptyComponent(key_path, IsAnsiLeadByte)) return;
  DeleteKeyTree(HKEY_LOCAL_MACHINE, key_path);
}

}  // namespace tidemark
