// The case language of the UI driver: one command per line, words separated
// by blanks, "double quotes" around words with blanks; inside quotes \" \\ \r
// \n and \t stand for themselves. A line whose first word starts with "#" is a
// comment.
#pragma once

#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tidemark::e2e {

struct Command {
  int line = 0;  // 1-based line in the case file
  std::string name;
  std::vector<std::string> args;
  std::string text;  // the line as written, for reports
};

class ScriptError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Splits one line into words. Raises ScriptError on an unterminated quote or
// an unknown escape.
std::vector<std::string> SplitWords(std::string_view line);

// Values for ${NAME} in the words of a case, given on the command line.
using Variables = std::map<std::string, std::string>;

// Parses a whole case; blank and comment lines are left out. Raises
// ScriptError naming the line.
std::vector<Command> ParseScript(std::string_view text);

// Replaces every ${NAME} in the commands' words by its value. Raises
// ScriptError naming the line for a name without a value.
void ExpandVariables(std::vector<Command>& commands, const Variables& variables);

}  // namespace tidemark::e2e
