// The tidemark command line: parsing it and running what it asks for.
#pragma once

#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "packer/cli/pack.h"

namespace tidemark {

enum class CommandKind { kHelp, kVersion, kBuild, kList, kVerify, kExtract, kInit };

struct Command {
  CommandKind kind = CommandKind::kHelp;
  std::string topic;      // kHelp: the command whose usage is asked for; empty: all
  bool quiet = false;     // kBuild: no summary, notes or progress
  PackOptions build;      // kBuild
  std::string installer;  // kList, kVerify, kExtract
  std::string folder;     // kExtract, kInit
  bool force = false;     // kExtract: replace existing files
};

// A command line that does not fit the usage.
class UsageError : public std::runtime_error {
 public:
  UsageError(const std::string& message, std::string topic = {})
      : std::runtime_error(message), topic(std::move(topic)) {}
  std::string topic;  // the command whose usage to show; empty: all
};

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // bad input or a faulty installer
inline constexpr int kExitUsage = 2;

// `arguments` without the program name. Raises UsageError.
Command ParseCommandLine(const std::vector<std::string>& arguments);

// The usage text of one command, or of all when `topic` is empty.
std::string UsageText(const std::string& topic = {});

// Runs the whole command line and returns the exit code; reports go to
// `out`, messages to `err`, and build progress too when `show_progress`
// (standard error is a terminal).
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   bool show_progress = false);

}  // namespace tidemark
