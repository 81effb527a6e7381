// Reading what an installation left on the system: files, machine-wide
// registry values and shell links, for the checks of a case. Paths may hold
// environment references (%TEMP%), expanded as the installer's process
// would expand them.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tidemark::e2e {

// The bytes of the file at `path`; none when no file is there (a folder is
// not a file). Raises std::runtime_error when it exists but cannot be read.
std::optional<std::string> ReadFileBytes(const std::string& path);

// Whether anything (a file or a folder) is at `path`.
bool PathExists(const std::string& path);

// The access list of the file or folder at `path` as SDDL ("D:..."); none
// when nothing is there or its security cannot be read.
std::optional<std::string> ReadAccessList(const std::string& path);

// A REG_SZ value under HKEY_LOCAL_MACHINE\`key`; none when the key or the
// value is missing. Raises std::runtime_error for a value of another type.
std::optional<std::string> ReadMachineString(const std::string& key, const std::string& name);

struct RegistryValue {
  std::string type;  // "REG_SZ", "REG_DWORD", else "type N"
  std::string text;  // a REG_DWORD in decimal
};

// Any value under HKEY_LOCAL_MACHINE\`key`, with its type; none when the
// key or the value is missing.
std::optional<RegistryValue> ReadMachineValue(const std::string& key, const std::string& name);

// The names of the values under HKEY_LOCAL_MACHINE\`key`, as the registry
// lists them; none when the key is missing.
std::vector<std::string> MachineValueNames(const std::string& key);

// Whether HKEY_LOCAL_MACHINE\`key` exists.
bool MachineKeyExists(const std::string& key);

struct ShortcutFields {
  std::string target;
  std::string description;
  std::string working_folder;
};

// The fields of the shell link file at `path` as IShellLinkA reports them.
// Raises std::runtime_error when the file cannot be loaded as a link.
ShortcutFields ReadShortcut(const std::string& path);

}  // namespace tidemark::e2e
