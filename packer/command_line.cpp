#include "packer/command_line.h"

#include <exception>

#include "packer/inspect_commands.h"
#include "packer/threads.h"

namespace tidemark {
namespace {

// Products smaller than this pack too quickly for progress to help.
constexpr int64_t kProgressThreshold = 32 << 20;
constexpr int kMaxJobs = 256;

int ParseNumber(const std::string& option, const std::string& text, int low, int high) {
  size_t used = 0;
  int value = 0;
  try {
    value = std::stoi(text, &used);
  } catch (const std::exception&) {
    used = 0;
  }
  if (used != text.size() || text.empty() || value < low || value > high) {
    throw UsageError(option + " takes a number from " + std::to_string(low) + " to " +
                     std::to_string(high) + ", not \"" + text + "\"");
  }
  return value;
}

Command ParseBuild(const std::vector<std::string>& arguments) {
  Command command;
  command.kind = CommandKind::kBuild;
  PackOptions& options = command.build;
  options.jobs = ProcessorCount();
  for (size_t i = 1; i < arguments.size(); ++i) {
    const std::string& option = arguments[i];
    if (option == "--scrambled") {
      options.scrambled = true;
      continue;
    }
    if (i + 1 == arguments.size()) throw UsageError("unknown option or missing value: " + option);
    const std::string& value = arguments[++i];
    if (option == "--stub") {
      options.stub_path = value;
    } else if (option == "--product") {
      options.description_path = value;
    } else if (option == "--out") {
      options.output_path = value;
    } else if (option == "--level") {
      options.level = ParseNumber(option, value, 0, 9);
    } else if (option == "--jobs") {
      options.jobs = ParseNumber(option, value, 1, kMaxJobs);
    } else {
      throw UsageError("unknown option: " + option);
    }
  }
  if (options.stub_path.empty() || options.description_path.empty() || options.output_path.empty()) {
    throw UsageError("build needs --stub, --product and --out");
  }
  return command;
}

// Shows how far packing has come, one step per percent.
class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& err) : err_(err) {}
  ~ProgressLine() {
    if (shown_ >= 0) err_ << "\n";
  }
  void operator()(int64_t done, int64_t total) {
    if (total < kProgressThreshold) return;
    const int percent = static_cast<int>(done * 100 / total);
    if (percent == shown_) return;
    shown_ = percent;
    err_ << "\rpacking: " << percent << "% (" << (done >> 20) << " of " << (total >> 20) << " MiB)"
         << std::flush;
  }

 private:
  std::ostream& err_;
  int shown_ = -1;
};

void Run(const Command& command, std::ostream& out, std::ostream& err) {
  switch (command.kind) {
    case CommandKind::kHelp:
      out << UsageText();
      return;
    case CommandKind::kBuild: {
      PackOptions options = command.build;
      PackResult result;
      {
        ProgressLine progress(err);
        options.progress = [&progress](int64_t done, int64_t total) { progress(done, total); };
        result = PackInstaller(options);
      }
      out << options.output_path << ": " << result.installer_size << " bytes ("
          << result.product_bytes << " bytes of product"
          << (options.scrambled ? ", scrambled" : "") << ")\n";
      return;
    }
    case CommandKind::kList:
      ListInstaller(command.installer, out);
      return;
    case CommandKind::kVerify:
      VerifyInstaller(command.installer, out);
      return;
    case CommandKind::kExtract:
      ExtractInstaller(command.installer, command.folder, out);
      return;
  }
}

}  // namespace

std::string UsageText() {
  return "Usage:\n"
         "  tidemark build --stub STUB --product PRODUCT.ini --out SETUP.exe\n"
         "                 [--scrambled] [--level 0-9] [--jobs N]\n"
         "      Writes STUB followed by a container for the product described in\n"
         "      PRODUCT.ini. --scrambled scrambles the container; --level is the zlib\n"
         "      level (default 9); --jobs the compressing threads (default: all\n"
         "      processors). The output does not depend on --jobs.\n"
         "  tidemark list SETUP.exe\n"
         "      Shows the control information and where every item lies.\n"
         "  tidemark verify SETUP.exe\n"
         "      Reads every item and checks every Adler-32 and the checksum.\n"
         "  tidemark extract SETUP.exe DIR\n"
         "      Writes the product's files below DIR.\n"
         "  tidemark --help\n"
         "Exit codes: 0 success, 1 bad input or a faulty installer, 2 wrong usage.\n";
}

Command ParseCommandLine(const std::vector<std::string>& arguments) {
  if (arguments.empty()) throw UsageError("no command given");
  const std::string& verb = arguments[0];
  Command command;
  if (verb == "--help" || verb == "-h" || verb == "help") return command;
  if (verb == "build") return ParseBuild(arguments);
  const size_t expected = verb == "extract" ? 3 : 2;
  if (verb == "list" || verb == "verify" || verb == "extract") {
    if (arguments.size() != expected) {
      throw UsageError(verb + (verb == "extract" ? " takes SETUP.exe and DIR" : " takes SETUP.exe"));
    }
    command.kind = verb == "list"     ? CommandKind::kList
                   : verb == "verify" ? CommandKind::kVerify
                                      : CommandKind::kExtract;
    command.installer = arguments[1];
    if (command.kind == CommandKind::kExtract) command.folder = arguments[2];
    return command;
  }
  throw UsageError("unknown command: " + verb);
}

int RunCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  Command command;
  try {
    command = ParseCommandLine(arguments);
  } catch (const UsageError& error) {
    err << "tidemark: " << error.what() << "\n\n" << UsageText();
    return kExitUsage;
  }
  try {
    Run(command, out, err);
    return kExitSuccess;
  } catch (const std::exception& error) {
    out.flush();
    err << "tidemark: " << error.what() << "\n";
    return kExitFailure;
  }
}

}  // namespace tidemark
