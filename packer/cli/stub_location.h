// Which stub `tidemark build` writes in front of the container when the
// command line names none.
#pragma once

#include <filesystem>
#include <string>

namespace tidemark {

// The name of the environment variable that may name the stub.
inline constexpr char kStubVariable[] = "TIDEMARK_STUB";

struct StubChoice {
  std::filesystem::path path;
  std::string source;  // how it was found, for the build summary
};

// The stub, looked for in this order: `given` (--stub), `named` (the
// environment variable's value), beside the packer, where an installation
// puts it (PREFIX/share/tidemark beside PREFIX/bin), and the Windows tree of
// the build the packer comes from (build/win/bin beside build/native/bin).
// A stub that is given or named must exist. Raises Error naming every place
// looked at when there is none.
StubChoice FindStub(const std::string& given, const std::string& named,
                    const std::filesystem::path& packer_folder);

// The folder of the running packer program; empty when the system does not
// tell.
std::filesystem::path RunningPackerFolder();

}  // namespace tidemark
