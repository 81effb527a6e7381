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

}  // namespace

std::string Arguments::Option(const std::string& name) const {
  const auto found = options.find(name);
  return found == options.end() ? std::string() : found->second;
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
    if (i + 1 == words.size())
      throw UsageError("unknown option or missing value: " + word, command);
    const std::string& value = words[++i];
    const OptionRule* rule = FindOption(rules, word);
    if (rule == nullptr) throw UsageError("unknown option: " + word, command);
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
