#include "rules/command_line.h"

#include <cctype>
#include <cstddef>

namespace tidemark {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    if (std::toupper(static_cast<unsigned char>(text[i])) !=
        std::toupper(static_cast<unsigned char>(prefix[i]))) {
      return false;
    }
  }
  return true;
}

std::string_view WithoutTrailingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// `text` without its double quotes, which no Windows path holds
// (/D="C:\Apps\My Tools").
std::string WithoutQuotes(std::string_view text) {
  std::string path;
  for (char c : text) {
    if (c != '"') path += c;
  }
  return path;
}

// One word from `pos` on, quotes dropped; `pos` moves past it.
std::string NextWord(std::string_view line, size_t& pos) {
  std::string word;
  bool quoted = false;
  for (; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      quoted = !quoted;
    } else if (IsBlank(c) && !quoted) {
      break;
    } else {
      word += c;
    }
  }
  return word;
}

}  // namespace

CommandLine ParseCommandLine(std::string_view arguments) {
  constexpr std::string_view kFolderSwitch = "/D=";
  constexpr std::string_view kLogSwitch = "/LOG=";
  CommandLine command;
  size_t pos = 0;
  for (;;) {
    while (pos < arguments.size() && IsBlank(arguments[pos])) ++pos;
    if (pos >= arguments.size()) break;
    if (StartsWithNoCase(arguments.substr(pos), kFolderSwitch)) {
      command.install_folder =
          WithoutQuotes(WithoutTrailingBlanks(arguments.substr(pos + kFolderSwitch.size())));
      break;
    }
    const std::string word = NextWord(arguments, pos);
    if (StartsWithNoCase(word, "/S") && word.size() == 2) {
      command.unattended = true;
    } else if (StartsWithNoCase(word, kFolderSwitch)) {
      // A quoted word ("/D=C:\Apps\My Tools", as PowerShell and most
      // deployment tools pass a path with blanks) ends where its quotes do.
      command.install_folder = word.substr(kFolderSwitch.size());
    } else if (StartsWithNoCase(word, kLogSwitch)) {
      command.log_path = word.substr(kLogSwitch.size());
    }
  }
  return command;
}

}  // namespace tidemark
