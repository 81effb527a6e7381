// The tidemark command line: parsing it and running what it asks for.
#pragma once

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "packer/pack.h"

namespace tidemark {

enum class CommandKind { kHelp, kBuild, kList, kVerify, kExtract };

struct Command {
  CommandKind kind = CommandKind::kHelp;
  PackOptions build;        // kBuild
  std::string installer;    // kList, kVerify, kExtract
  std::string folder;       // kExtract
};

// A command line that does not fit the usage.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // bad input or a faulty installer
inline constexpr int kExitUsage = 2;

// `arguments` without the program name. Raises UsageError.
Command ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text shown by --help and after a usage error.
std::string UsageText();

// Runs the whole command line and returns the exit code; reports go to
// `out`, messages and progress to `err`.
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

}  // namespace tidemark
