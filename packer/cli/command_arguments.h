// What a packer command is given: the words that follow its name, read by
// the rules of its row in the command table (packer/cli/commands.h), and
// the streams it writes to.
#pragma once

#include <map>
#include <ostream>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace tidemark {

// A command line that does not fit the usage.
class UsageError : public std::runtime_error {
 public:
  UsageError(const std::string& message, std::string topic = {})
      : std::runtime_error(message), topic(std::move(topic)) {}
  std::string topic;  // the command whose usage to show; empty: all
};

// An option followed by its value; with `number`, a number from `low` to `high`.
struct OptionRule {
  const char* name;
  bool number = false;
  int low = 0;
  int high = 0;
};

// What a command takes. A word that is one of `flags` sets it; every other
// word is one of its values, or, once the values are given or a word starts
// with "--", an option and its value.
struct ArgumentRules {
  // What each value is ("SETUP.exe"): all are needed, none of them empty.
  std::vector<const char*> values = {};
  std::vector<const char*> flags = {};
  std::vector<OptionRule> options = {};
  // Options that must be given, none of them empty.
  std::vector<const char*> required = {};
  // Options that may be given again and again, each value kept.
  std::vector<const char*> repeatable = {};
};

// A command's words as its rules read them.
struct Arguments {
  std::vector<std::string> values;
  std::set<std::string> flags;
  std::map<std::string, std::string> options;             // the last value each was given
  std::map<std::string, int> numbers;                     // the number options' values
  std::map<std::string, std::vector<std::string>> lists;  // repeatable options' values, in order

  bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
  // Empty when the option was not given.
  std::string Option(const std::string& name) const;
  int Number(const std::string& name, int fallback) const;
  // Every value a repeatable option was given, in order.
  std::vector<std::string> List(const std::string& name) const;
};

// Reads `words`, the command line after the name of `command`, by `rules`.
// Raises UsageError for the first word that does not fit, with `command`
// as its topic.
Arguments ParseArguments(const std::string& command, const ArgumentRules& rules,
                         const std::vector<std::string>& words);

// Where a command writes: its report to `out`, messages to `err`, and build
// progress too when `show_progress` (standard error is a terminal).
struct CommandStreams {
  std::ostream& out;
  std::ostream& err;
  bool show_progress = false;
};

}  // namespace tidemark
