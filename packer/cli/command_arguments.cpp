#include "packer/cli/command_arguments.h"

#include <exception>

namespace tidemark {
namespace {

// "a", "a and b", "a, b and c".
std::string Listed(const std::vector<const char*>& names) {
  std::string text;
  for (size_t i = 0; i < names.size(); ++i) {
    if (i > 0) text += i + 1 == names.size() ? " and " : ", ";
    text += names[i];
  }
  return text;
}

bool Contains(const std::vector<const char*>& names, const std::string& word) {
  for (const char* name : names) {
    if (word == name) return true;
  }
  return false;
}

const OptionRule* FindOption(const ArgumentRules& rules, const std::string& word) {
  for (const OptionRule& rule : rules.options) {
    if (word == rule.name) return &rule;
  }
  return nullptr;
}

int ParseNumber(const std::string& command, const OptionRule& rule, const std::string& text) {
  size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || text.empty() || value < rule.low || value > rule.high) {
    throw UsageError(std::string(rule.name) + " takes a number from " + std::to_string(rule.low) +
                         " to " + std::to_string(rule.high) + ", not \"" + text + "\"",
                     command);
  }
  return value;
}

// A word that is no option of the command; makensis users write -DKEY=VALUE.
UsageError UnknownOption(const std::string& command, const ArgumentRules& rules,
                         const std::string& word) {
  std::string message = "unknown option: " + word;
  if (word.compare(0, 2, "-D") == 0 && Contains(rules.repeatable, "--set"))
    message += "; to set a product key, use --set KEY=VALUE";
  return UsageError(message, command);
}

}  // namespace

std::string Arguments::Option(const std::string& name) const {
  const auto found = options.find(name);
  return found == options.end() ? std::string() : found->second;
}

std::vector<std::string> Arguments::List(const std::string& name) const {
  const auto found = lists.find(name);
  return found == lists.end() ? std::vector<std::string>() : found->second;
}

int Arguments::Number(const std::string& name, int fallback) const {
  const auto found = numbers.find(name);
  return found == numbers.end() ? fallback : found->second;
}

Arguments ParseArguments(const std::string& command, const ArgumentRules& rules,
                         const std::vector<std::string>& words) {
  Arguments arguments;
  for (size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (Contains(rules.flags, word)) {
      arguments.flags.insert(word);
      continue;
    }
    // A command that takes options takes its values first, before them.
    if (rules.options.empty() || (arguments.options.empty() && word.compare(0, 2, "--") != 0 &&
                                  arguments.values.size() < rules.values.size())) {
      arguments.values.push_back(word);
      continue;
    }
    const OptionRule* rule = FindOption(rules, word);
    const bool repeatable = Contains(rules.repeatable, word);
    if (rule == nullptr && !repeatable) throw UnknownOption(command, rules, word);
    if (i + 1 == words.size()) throw UsageError(word + " needs a value", command);
    const std::string& value = words[++i];
    if (repeatable) {
      arguments.lists[word].push_back(value);
      continue;
    }
    if (rule->number) arguments.numbers[word] = ParseNumber(command, *rule, value);
    arguments.options[word] = value;
  }
  if (arguments.values.size() != rules.values.size())
    throw UsageError(command + " takes " + Listed(rules.values), command);
  for (const std::string& value : arguments.values) {
    if (value.empty()) throw UsageError(command + " takes no empty argument", command);
  }
  for (const char* option : rules.required) {
    if (arguments.Option(option).empty()) {
      throw UsageError(command + " needs " + Listed(rules.required) + ", none of them empty",
                       command);
    }
  }
  return arguments;
}

}  // namespace tidemark
