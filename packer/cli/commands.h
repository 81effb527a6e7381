// The packer's commands as one table: a new command is one row and the
// function that runs it.
#pragma once

#include <string_view>
#include <vector>

#include "packer/cli/command_arguments.h"

namespace tidemark {

struct Subcommand {
  const char* name;
  const char* usage;  // its part of the usage text
  ArgumentRules arguments;
  // Raises an exception whose text is the message for the user.
  void (*run)(const Arguments& arguments, const CommandStreams& streams);
};

// Every command, in the order of the usage text.
const std::vector<Subcommand>& Subcommands();

// The command called `name`, or nullptr.
const Subcommand* FindSubcommand(std::string_view name);

}  // namespace tidemark
