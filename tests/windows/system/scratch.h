// Registry keys and folders that a test owns and removes when it ends,
// through Windows calls of their own rather than the helpers under test.
#pragma once

#include <windows.h>

#include <string>

namespace tidemark::testing {

// A unique name, so that parallel and aborted runs never meet.
std::string UniqueName(const char* prefix);

// "SOFTWARE\TidemarkTest\<unique>", removed from both roots at the end.
class ScratchKey {
 public:
  ScratchKey();
  ~ScratchKey();
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  const std::string& path() const { return path_; }
  std::string Sub(const std::string& name) const { return path_ + "\\" + name; }

  // Stores raw data of any type under `root`\path(), creating the key.
  void Set(HKEY root, const std::string& name, DWORD type, const std::string& data) const;
  void SetString(HKEY root, const std::string& name, const std::string& text) const {
    Set(root, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
  }
  bool Exists(HKEY root, const std::string& sub_path) const;

  // Replaces the key's access list under `root` with `sddl` (an SDDL
  // text); the destructor restores full access before removing the key.
  void RestrictAccess(HKEY root, const char* sddl) const;

 private:
  std::string path_;
};

// A new empty folder under the temporary folder, removed with all it holds.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string Sub(const std::string& name) const { return path_ + "\\" + name; }
  void WriteFile(const std::string& name, const std::string& content) const;
  std::string ReadFile(const std::string& name) const;

 private:
  std::string path_;
};

}  // namespace tidemark::testing
