// The tidemark command line: `tidemark help`, `tidemark --version`, and the
// commands of the table (packer/cli/commands.h) with their exit codes.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace tidemark {

inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;  // bad input or a faulty installer
inline constexpr int kExitUsage = 2;

// The usage text of one command, or of all when `topic` is empty.
std::string UsageText(const std::string& topic = {});

// Runs the whole command line (`arguments` without the program name) and
// returns the exit code; reports go to `out`, messages to `err`, and build
// progress too when `show_progress` (standard error is a terminal).
int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   bool show_progress = false);

}  // namespace tidemark
