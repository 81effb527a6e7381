#include "tests/e2e/driver/installed_state.h"

#include <windows.h>
#include <aclapi.h>
#include <objidl.h>
#include <sddl.h>
#include <shlobj.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "system/handles.h"
#include "system/shortcut.h"

namespace tidemark::e2e {
namespace {

// Checks a shell link call; raises with the step's name.
void Require(HRESULT result, const std::string& step, const std::string& path) {
  if (FAILED(result)) {
    char code[16];
    wsprintfA(code, "%08lx", static_cast<unsigned long>(result));
    throw std::runtime_error(step + " failed for " + path + " (HRESULT " + code + ")");
  }
}

std::string LinkText(IShellLinkA* link,
                     HRESULT (STDMETHODCALLTYPE IShellLinkA::*getter)(LPSTR, int),
                     const std::string& step, const std::string& path) {
  char text[MAX_PATH * 2] = {};
  Require((link->*getter)(text, static_cast<int>(sizeof text)), step, path);
  return text;
}

std::string Expanded(const std::string& path) {
  // Wine counts the size in characters, not bytes; a double-byte character
  // takes two, so room for twice as many, and the text ends at its NUL.
  const DWORD size = ExpandEnvironmentStringsA(path.c_str(), nullptr, 0);
  if (size == 0) return path;
  std::string expanded(size * 2, '\0');
  if (ExpandEnvironmentStringsA(path.c_str(), expanded.data(), size * 2) == 0) return path;
  expanded.resize(std::strlen(expanded.c_str()));
  return expanded;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& unexpanded) {
  const std::string path = Expanded(unexpanded);
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return std::nullopt;
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) throw std::runtime_error("cannot open " + path);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

bool PathExists(const std::string& path) {
  return GetFileAttributesA(Expanded(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> ReadAccessList(const std::string& path) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoA(Expanded(path).c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                            nullptr, nullptr, nullptr, nullptr, &descriptor) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const LocalMemory descriptor_owner(descriptor);
  char* text = nullptr;
  if (!ConvertSecurityDescriptorToStringSecurityDescriptorA(
          descriptor, SDDL_REVISION_1, DACL_SECURITY_INFORMATION, &text, nullptr)) {
    return std::nullopt;
  }
  const LocalMemory text_owner(text);
  return std::string(text);
}

std::optional<std::string> ReadMachineString(const std::string& key, const std::string& name) {
  DWORD type = 0;
  DWORD size = 0;
  LSTATUS status = RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_ANY, &type,
                                nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) throw std::runtime_error("cannot read " + key + "\\" + name);
  if (type != REG_SZ) {
    throw std::runtime_error(key + "\\" + name + " is of type " + std::to_string(type) +
                             ", not REG_SZ");
  }
  std::string data(size, '\0');
  status = RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_REG_SZ, nullptr,
                        data.data(), &size);
  if (status != ERROR_SUCCESS) throw std::runtime_error("cannot read " + key + "\\" + name);
  data.resize(data.find('\0') == std::string::npos ? size : data.find('\0'));
  return data;
}

std::optional<RegistryValue> ReadMachineValue(const std::string& key, const std::string& name) {
  DWORD type = 0;
  DWORD size = 0;
  LSTATUS status = RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(),
                                RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &size);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) throw std::runtime_error("cannot read " + key + "\\" + name);
  std::string data(size, '\0');
  status = RegGetValueA(HKEY_LOCAL_MACHINE, key.c_str(), name.c_str(), RRF_RT_ANY | RRF_NOEXPAND,
                        nullptr, data.data(), &size);
  if (status != ERROR_SUCCESS) throw std::runtime_error("cannot read " + key + "\\" + name);
  data.resize(size);
  if (type == REG_DWORD && data.size() == 4) {
    uint32_t number = 0;
    std::memcpy(&number, data.data(), 4);
    return RegistryValue{"REG_DWORD", std::to_string(number)};
  }
  if (type == REG_SZ) return RegistryValue{"REG_SZ", data.substr(0, data.find('\0'))};
  return RegistryValue{"type " + std::to_string(type), data};
}

std::vector<std::string> MachineValueNames(const std::string& key) {
  RegKey opened;
  std::vector<std::string> names;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, opened.Receive()) !=
      ERROR_SUCCESS) {
    return names;
  }
  for (DWORD index = 0;; ++index) {
    char name[16384];
    DWORD length = sizeof name;
    if (RegEnumValueA(opened.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, length);
  }
  return names;
}

bool MachineKeyExists(const std::string& key) {
  RegKey opened;
  return RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_READ, opened.Receive()) ==
         ERROR_SUCCESS;
}

ShortcutFields ReadShortcut(const std::string& unexpanded) {
  const std::string path = Expanded(unexpanded);
  const ScopedCoInitialize com;
  ComPtr<IShellLinkA> link;
  Require(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                           link.ReceiveVoid()),
          "creating a shell link object", path);
  ComPtr<IPersistFile> file;
  Require(link->QueryInterface(IID_IPersistFile, file.ReceiveVoid()), "IPersistFile", path);
  Require(file->Load(AnsiToWide(path).c_str(), STGM_READ), "loading the link", path);

  ShortcutFields fields;
  char target[MAX_PATH * 2] = {};
  // The raw path, as stored: no resolution, no short names.
  Require(link->GetPath(target, static_cast<int>(sizeof target), nullptr, SLGP_RAWPATH), "GetPath",
          path);
  fields.target = target;
  fields.description = LinkText(link.get(), &IShellLinkA::GetDescription, "GetDescription", path);
  fields.working_folder =
      LinkText(link.get(), &IShellLinkA::GetWorkingDirectory, "GetWorkingDirectory", path);
  return fields;
}

}  // namespace tidemark::e2e
