#include "packer/cli/stub_location.h"

#include <system_error>
#include <vector>

#include "container/errors.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace tidemark {
namespace {

constexpr char kStubName[] = "tidemark-stub.exe";

bool IsFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

StubChoice FindStub(const std::string& given, const std::string& named,
                    const std::filesystem::path& packer_folder) {
  if (!given.empty()) return {given, "given with --stub"};
  if (!named.empty()) {
    if (!IsFile(named)) {
      throw Error(std::string(kStubVariable) + " names the stub \"" + named +
                  "\", which is no file");
    }
    return {named, std::string("named by ") + kStubVariable};
  }
  const std::vector<StubChoice> places = {
      {packer_folder / kStubName, "beside the packer"},
      {packer_folder / ".." / "share" / "tidemark" / kStubName, "installed with the packer"},
      {packer_folder / ".." / ".." / "win" / "bin" / kStubName, "in the packer's build tree"},
  };
  std::string looked;
  for (const StubChoice& place : places) {
    const std::filesystem::path path = place.path.lexically_normal();
    if (!packer_folder.empty() && IsFile(path)) return {path, place.source};
    looked += "\n  " + path.string();
  }
  throw Error(std::string("no stub found: give --stub STUB or set ") + kStubVariable +
              (packer_folder.empty() ? std::string() : "; looked for" + looked));
}

std::filesystem::path RunningPackerFolder() {
  std::error_code error;
#ifdef _WIN32
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  if (length == 0 || length == MAX_PATH) return {};
  return std::filesystem::path(std::string(path, length)).parent_path();
#else
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::filesystem::path() : program.parent_path();
#endif
}

}  // namespace tidemark
