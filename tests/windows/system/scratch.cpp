#include "tests/windows/system/scratch.h"

#include <sddl.h>
#include <shellapi.h>

#include <atomic>
#include <fstream>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "system/handles.h"

namespace tidemark::testing {

namespace {

constexpr char kTestRoot[] = "SOFTWARE\\TidemarkTest";
const HKEY kRoots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};

void Check(bool ok, const char* what) {
  if (!ok) throw std::runtime_error(what);
}

void SetAccess(HKEY root, const std::string& path, const char* sddl) {
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  Check(ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor,
                                                             nullptr),
        "bad SDDL");
  RegKey key;
  LONG status = RegOpenKeyExA(root, path.c_str(), 0, WRITE_DAC, key.Receive());
  if (status == ERROR_SUCCESS) {
    status = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, descriptor);
  }
  LocalFree(descriptor);
  Check(status == ERROR_SUCCESS, "cannot change a key's access list");
}

}  // namespace

std::string UniqueName(const char* prefix) {
  static std::atomic<unsigned> counter{0};
  std::ostringstream name;
  name << prefix << GetCurrentProcessId() << '_' << GetTickCount() << '_' << counter++;
  return name.str();
}

ScratchKey::ScratchKey() : path_(std::string(kTestRoot) + "\\" + UniqueName("k")) {}

ScratchKey::~ScratchKey() {
  for (HKEY root : kRoots) {
    try {
      SetAccess(root, path_, "D:P(A;OICI;KA;;;WD)");
    } catch (const std::exception&) {
      // The key was never made under this root.
    }
    RegDeleteTreeA(root, path_.c_str());
    RegDeleteKeyA(root, path_.c_str());
    RegDeleteKeyA(root, kTestRoot);  // only when no other run still uses it
  }
}

void ScratchKey::Set(HKEY root, const std::string& name, DWORD type,
                     const std::string& data) const {
  RegKey key;
  Check(RegCreateKeyExA(root, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Receive(),
                        nullptr) == ERROR_SUCCESS,
        "cannot create a test key");
  const LONG status =
      RegSetValueExA(key.get(), name.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                     static_cast<DWORD>(data.size()));
  Check(status == ERROR_SUCCESS, "cannot set a test value");
}

bool ScratchKey::Exists(HKEY root, const std::string& sub_path) const {
  RegKey key;
  return RegOpenKeyExA(root, sub_path.c_str(), 0, KEY_READ, key.Receive()) == ERROR_SUCCESS;
}

void ScratchKey::RestrictAccess(HKEY root, const char* sddl) const { SetAccess(root, path_, sddl); }

ScratchFolder::ScratchFolder() {
  char temp[MAX_PATH + 1];
  const DWORD length = GetTempPathA(sizeof temp, temp);
  Check(length > 0 && length < sizeof temp, "no temporary folder");
  path_ = std::string(temp, length) + UniqueName("tidemark_");
  Check(CreateDirectoryA(path_.c_str(), nullptr) != FALSE, "cannot create a test folder");
}

ScratchFolder::~ScratchFolder() {
  std::string from = path_;
  from.push_back('\0');  // the list of paths ends with a second zero
  SHFILEOPSTRUCTA operation = {};
  operation.wFunc = FO_DELETE;
  operation.pFrom = from.c_str();
  operation.fFlags = FOF_NO_UI;
  SHFileOperationA(&operation);
}

void ScratchFolder::WriteFile(const std::string& name, const std::string& content) const {
  std::ofstream file(Sub(name), std::ios::binary);
  file << content;
  Check(static_cast<bool>(file), "cannot write a test file");
}

std::string ScratchFolder::ReadFile(const std::string& name) const {
  std::ifstream file(Sub(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace tidemark::testing
