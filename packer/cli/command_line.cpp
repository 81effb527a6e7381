#include "packer/cli/command_line.h"

#include <algorithm>
#include <exception>

#include "packer/cli/commands.h"

namespace tidemark {
namespace {

constexpr char kVersion[] = "tidemark " TIDEMARK_VERSION;

bool IsHelp(const std::string& argument) { return argument == "--help" || argument == "-h"; }

}  // namespace

std::string UsageText(const std::string& topic) {
  std::string text = "Usage:\n";
  for (const Subcommand& command : Subcommands()) {
    if (topic.empty() || topic == command.name) text += command.usage;
  }
  if (topic.empty()) {
    text +=
        "  tidemark COMMAND --help    tidemark --version\n"
        "The product file is described in docs/product-file.md.\n";
  }
  return text + "Exit codes: 0 success, 1 bad input or a faulty installer, 2 wrong usage.\n";
}

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                   bool show_progress) {
  const Subcommand* command = nullptr;
  Arguments parsed;
  try {
    if (arguments.empty()) throw UsageError("no command given");
    const std::string& verb = arguments[0];
    if (IsHelp(verb) || verb == "help") {
      // On purpose: any word is taken as the topic; one that names no
      // command gets the usage text's frame without a command.
      out << UsageText(arguments.size() > 1 ? arguments[1] : std::string());
      return kExitSuccess;
    }
    if (verb == "--version") {
      out << kVersion << "\n";
      return kExitSuccess;
    }
    command = FindSubcommand(verb);
    if (command == nullptr) throw UsageError("unknown command: " + verb);
    const std::vector<std::string> words(arguments.begin() + 1, arguments.end());
    if (std::any_of(words.begin(), words.end(), IsHelp)) {
      out << UsageText(verb);
      return kExitSuccess;
    }
    parsed = ParseArguments(verb, command->arguments, words);
  } catch (const UsageError& error) {
    err << "tidemark: " << error.what() << "\n\n" << UsageText(error.topic);
    return kExitUsage;
  }
  try {
    command->run(parsed, {out, err, show_progress});
    return kExitSuccess;
  } catch (const std::exception& error) {
    out.flush();
    err << "tidemark: " << error.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace tidemark
