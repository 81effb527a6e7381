#include "tests/e2e/driver/script.h"

namespace tidemark::e2e {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

char Unescape(char c) {
  switch (c) {
    case '"':
      return '"';
    case '\\':
      return '\\';
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    default:
      throw ScriptError(std::string("unknown escape \\") + c);
  }
}

}  // namespace

std::vector<std::string> SplitWords(std::string_view line) {
  std::vector<std::string> words;
  size_t i = 0;
  while (true) {
    while (i < line.size() && IsBlank(line[i])) ++i;
    if (i == line.size()) return words;
    std::string word;
    if (line[i] == '"') {
      ++i;
      while (true) {
        if (i == line.size()) throw ScriptError("missing closing quote");
        const char c = line[i++];
        if (c == '"') break;
        if (c == '\\') {
          if (i == line.size()) throw ScriptError("missing closing quote");
          word += Unescape(line[i++]);
        } else {
          word += c;
        }
      }
      if (i < line.size() && !IsBlank(line[i]))
        throw ScriptError("blank expected after a quoted word");
    } else {
      while (i < line.size() && !IsBlank(line[i])) word += line[i++];
    }
    words.push_back(std::move(word));
  }
}

std::vector<Command> ParseScript(std::string_view text) {
  std::vector<Command> commands;
  int line_number = 0;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    ++line_number;
    start = end + 1;

    std::vector<std::string> words;
    try {
      words = SplitWords(line);
    } catch (const ScriptError& error) {
      throw ScriptError("line " + std::to_string(line_number) + ": " + error.what());
    }
    if (words.empty() || words[0][0] == '#') continue;

    Command command;
    command.line = line_number;
    command.name = words[0];
    command.args.assign(words.begin() + 1, words.end());
    command.text = std::string(line.substr(0, line.find_last_not_of(" \t\r") + 1));
    command.text.erase(0, command.text.find_first_not_of(" \t"));
    commands.push_back(std::move(command));
  }
  return commands;
}

void ExpandVariables(std::vector<Command>& commands, const Variables& variables) {
  for (Command& command : commands) {
    for (std::string& word : command.args) {
      size_t from = 0;
      while ((from = word.find("${", from)) != std::string::npos) {
        const size_t end = word.find('}', from);
        if (end == std::string::npos) break;
        const std::string name = word.substr(from + 2, end - from - 2);
        const auto value = variables.find(name);
        if (value == variables.end()) {
          throw ScriptError("line " + std::to_string(command.line) + ": no value for ${" + name +
                            "}");
        }
        word.replace(from, end + 1 - from, value->second);
        from += value->second.size();
      }
    }
  }
}

}  // namespace tidemark::e2e
